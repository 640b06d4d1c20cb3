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
// regard to letter case when no exact match exists. An empty name has no value.
QString readRegistryValue(RegistryRoot root, const QString &keyPath, const QString &valueName);

// What writing empty text does: store the empty value, or delete the value.
enum class EmptyText { Store, Delete };
// The kind of value written: one string, or a multi-string (what the settings
// dialog writes for a printer).
enum class ValueKind { String, MultiString };

// Sets the value to text, or deletes it when text is empty and emptyText is
// Delete. False when the store could not be written or the name is empty
// (nothing is written then).
bool writeRegistryValue(RegistryRoot root, const QString &keyPath, const QString &valueName,
    const QString &text, EmptyText emptyText, ValueKind kind = ValueKind::String);

// Where the store of a root lives (a settings file on this platform).
QString registryLocation(RegistryRoot root);

} // namespace zet
