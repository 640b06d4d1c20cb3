#pragma once

#include <QString>

namespace zet {

// The two roots of the settings store: per report (the user's) and per
// printer (the machine's).
enum class RegistryRoot { CurrentUser, LocalMachine };

// The key every setting of the component lives under.
inline const QString kZetViewKeyPath = QStringLiteral("SOFTWARE\\Tarvisol\\ZETView");

// The value's text, empty when the key or value does not exist. A numeric
// value reads as its decimal text; a multi-string keeps the zero characters
// between its strings; an expandable value ("@Expand(...)" in the settings
// file) has its %NAME% environment references expanded; binary data reads one
// character per byte followed by a zero character. Value names match without
// regard to letter case when no exact match exists.
QString readRegistryValue(RegistryRoot root, const QString &keyPath, const QString &valueName);

// Sets the value to text (as a multi-string when multiString), or deletes it
// when text is empty and deleteWhenEmpty. Returns 0 on success, 5 when the
// store could not be written.
int writeRegistryValue(RegistryRoot root, const QString &keyPath, const QString &valueName,
    const QString &text, bool deleteWhenEmpty, bool multiString);

// Where the store of a root lives (a settings file on this platform).
QString registryLocation(RegistryRoot root);

} // namespace zet
