#pragma once

#include <QString>
#include <optional>

// Reads a template or data file: as UTF-8 when the bytes are valid UTF-8,
// otherwise as Latin-1, so raw picture bytes inside a template keep one
// character per byte. Nothing when the file cannot be read.
std::optional<QString> readTextFile(const QString &path, QString *error = nullptr);
