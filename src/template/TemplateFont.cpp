#include "template/TemplateFont.h"

#include "template/Conversions.h"
#include "template/KeyError.h"
#include "template/Vocabulary.h"
#include "xml/ElementReader.h"
#include "zetview/Error.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>

namespace zet {

namespace {

constexpr double kMaxFontSize = 16384; // points

// A property value given as text: a whole number, "." or "," as separator.
double numberFromText(const QString &text)
{
    QString normal = trimSpaces(text);
    normal.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(normal, &ok);
    if (!ok || !std::isfinite(value))
        throw Error(Error::kTypeMismatch, QStringLiteral("Type mismatch"));
    return value;
}

int shortFromNumber(double value)
{
    const int rounded = roundHalfEven(value);
    if (rounded < std::numeric_limits<short>::min() || rounded > std::numeric_limits<short>::max())
        throw Error::overflow();
    return rounded;
}

} // namespace

ReportFont parseFont(const QString &fontText)
{
    const KeyReader keys(fontText, key::kFontKeys);
    return parseFont(keys, keys.whole());
}

ReportFont parseFont(const KeyReader &keys, KeyReader::Part part)
{
    ReportFont font;
    auto apply = [&keys, part](QLatin1String name, auto &&set) {
        const QString value = keys.value(name, part);
        if (!value.isEmpty())
            readKey(name, value, set);
    };
    apply(key::kBold, [&](const QString &v) { font.setBold(parseBoolean(v)); });
    apply(key::kCharset, [&](const QString &v) { font.charset = shortFromNumber(numberFromText(v)); });
    apply(key::kItalic, [&](const QString &v) { font.italic = parseBoolean(v); });
    apply(key::kName, [&](const QString &v) { font.name = v; });
    apply(key::kSize, [&](const QString &v) {
        const double size = numberFromText(v);
        if (size <= 0)
            throw Error(Error::kInvalidCall, QStringLiteral("Invalid procedure call or argument"));
        if (size > kMaxFontSize)
            throw Error::overflow();
        font.size = size;
    });
    apply(key::kStrikethrough, [&](const QString &v) { font.strikethrough = parseBoolean(v); });
    apply(key::kUnderline, [&](const QString &v) { font.underline = parseBoolean(v); });
    apply(key::kWeight,
        [&](const QString &v) { font.weight = std::clamp(shortFromNumber(parseNumber(v)), 0, 1000); });
    return font;
}

} // namespace zet
