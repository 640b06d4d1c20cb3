#pragma once

#include <QString>

namespace zet {

// The installed family that draws a font a template names. A family that is
// installed is used as named; the classic Windows faces map to the
// metric-compatible Liberation families; anything else becomes Liberation Sans.
QString resolveFontFamily(const QString &requestedName);

} // namespace zet
