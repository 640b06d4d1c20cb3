#pragma once

#include "zetview/Error.h"

#include <QString>

namespace zet {

// The error raised while reading a key's text, told again naming the key and
// its text (up to 40 characters shown): "Overflow: Sinistra = "1e308"".
Error keyError(const Error &error, const QString &key, const QString &text);

// The error told again with where it arose: "Overflow: ... (oggetto 3 del modello)".
Error errorIn(const Error &error, const QString &where);

// read(text), with a zet::Error it raises naming the key and its text.
template <typename Read> auto readKey(const QString &key, const QString &text, Read &&read)
{
    try {
        return read(text);
    } catch (const Error &error) {
        throw keyError(error, key, text);
    }
}

} // namespace zet
