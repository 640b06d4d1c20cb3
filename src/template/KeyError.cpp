#include "template/KeyError.h"

namespace zet {

namespace {

constexpr qsizetype kShownCharacters = 40;

// The text as one short line: control characters become spaces, and a long
// text is cut with an ellipsis.
QString shown(const QString &text)
{
    QString line = text.left(kShownCharacters);
    for (QChar &c : line) {
        if (c.unicode() < 32)
            c = QLatin1Char(' ');
    }
    if (text.size() > kShownCharacters)
        line += QChar(0x2026);
    return line;
}

} // namespace

Error keyError(const Error &error, const QString &key, const QString &text)
{
    return Error(error.number(), QStringLiteral("%1: %2 = \"%3\"").arg(error.message(), key, shown(text)));
}

Error errorIn(const Error &error, const QString &where)
{
    return Error(error.number(), QStringLiteral("%1 (%2)").arg(error.message(), where));
}

} // namespace zet
