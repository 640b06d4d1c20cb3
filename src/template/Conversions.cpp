#include "template/Conversions.h"

#include "zetview/Error.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace zet {

namespace {

// Walks a text the way the leading-number reading does: blanks inside the
// number are invisible, anything else is looked at one character at a time.
class NumberScanner
{
public:
    explicit NumberScanner(const QString &text)
        : text_(text)
    { }

    // The next significant character, or a null QChar at the end.
    QChar peek()
    {
        while (pos_ < text_.size() && isBlank(text_.at(pos_)))
            ++pos_;
        return pos_ < text_.size() ? text_.at(pos_) : QChar();
    }

    void advance() { ++pos_; }

    bool accept(char c)
    {
        if (peek() != QLatin1Char(c))
            return false;
        advance();
        return true;
    }

    bool acceptEitherCase(char upper) { return accept(upper) || accept(char(upper - 'A' + 'a')); }

    // Appends the decimal digits that follow; returns how many were read.
    qsizetype readDigits(std::string &out)
    {
        qsizetype count = 0;
        for (QChar c = peek(); c >= QLatin1Char('0') && c <= QLatin1Char('9'); c = peek()) {
            out.push_back(char(c.unicode()));
            advance();
            ++count;
        }
        return count;
    }

private:
    // A carriage return is not skipped: it ends the number.
    static bool isBlank(QChar c)
    {
        return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
    }

    const QString &text_;
    qsizetype pos_ = 0;
};

int digitValue(QChar c, int radix)
{
    const char16_t u = c.unicode();
    int value = radix;
    if (u >= u'0' && u <= u'9')
        value = u - u'0';
    else if (u >= u'a' && u <= u'f')
        value = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        value = u - u'A' + 10;
    return value < radix ? value : -1;
}

[[noreturn]] void raiseOverflow()
{
    throw Error::overflow();
}

// "&H..." or "&O..." after the ampersand: an unsigned integer of any length.
double readRadixInteger(NumberScanner &scan, int radix)
{
    double value = 0;
    for (int digit = digitValue(scan.peek(), radix); digit >= 0; digit = digitValue(scan.peek(), radix)) {
        value = value * radix + digit;
        scan.advance();
    }
    if (!std::isfinite(value))
        raiseOverflow();
    return value;
}

// Reads the exponent digits, saturating far beyond any double's range.
long long readExponent(NumberScanner &scan)
{
    const bool negative = scan.accept('-');
    if (!negative)
        scan.accept('+');
    std::string digits;
    scan.readDigits(digits);
    long long exponent = 0;
    for (char d : digits) {
        exponent = exponent * 10 + (d - '0');
        if (exponent > 1000000)
            exponent = 1000000;
    }
    return negative ? -exponent : exponent;
}

double readDecimal(NumberScanner &scan)
{
    const bool negative = scan.accept('-');
    if (!negative)
        scan.accept('+');
    std::string integerDigits;
    std::string fractionDigits;
    scan.readDigits(integerDigits);
    if (scan.accept('.'))
        scan.readDigits(fractionDigits);
    if (integerDigits.empty() && fractionDigits.empty())
        return 0;
    long long exponent = 0;
    if (scan.acceptEitherCase('E') || scan.acceptEitherCase('D'))
        exponent = readExponent(scan);

    // Decimal magnitude of the first significant digit, to tell an overflow
    // from an underflow when the value leaves the range of a double.
    const std::size_t firstNonZero = integerDigits.find_first_not_of('0');
    long long magnitude = 0;
    if (firstNonZero != std::string::npos) {
        magnitude = (long long)(integerDigits.size() - firstNonZero);
    } else {
        const std::size_t firstFraction = fractionDigits.find_first_not_of('0');
        if (firstFraction == std::string::npos)
            return 0; // all zeros, whatever the exponent
        magnitude = -(long long)firstFraction;
    }
    magnitude += exponent;
    if (magnitude > 310)
        raiseOverflow();
    if (magnitude < -330)
        return negative ? -0.0 : 0.0;

    std::string normal = integerDigits.empty() ? std::string("0") : integerDigits;
    if (!fractionDigits.empty())
        normal += '.' + fractionDigits;
    normal += 'e' + std::to_string(exponent);
    double value = 0;
    const auto [end, error] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        if (magnitude > 0)
            raiseOverflow();
        value = 0;
    }
    if (!std::isfinite(value))
        raiseOverflow();
    return negative ? -value : value;
}

} // namespace

double parseNumber(const QString &text)
{
    NumberScanner scan(text);
    if (scan.accept('&')) {
        if (scan.acceptEitherCase('H'))
            return readRadixInteger(scan, 16);
        if (scan.acceptEitherCase('O'))
            return readRadixInteger(scan, 8);
        return 0;
    }
    return readDecimal(scan);
}

int parseInteger(const QString &text)
{
    return roundHalfEven(parseNumber(text));
}

bool parseBoolean(const QString &text)
{
    if (text.isEmpty() || text == QLatin1String("0"))
        return false;
    for (const char *word : { "null", "falso", "false" }) {
        if (text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0)
            return false;
    }
    return true;
}

} // namespace zet
