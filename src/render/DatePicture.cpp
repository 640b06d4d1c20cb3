#include "render/DatePicture.h"

namespace zet {

namespace {

// The first separator character of one of the locale's own patterns, or
// fallback when the pattern has none.
QChar separatorOf(const QString &pattern, QChar fallback)
{
    bool quoted = false;
    for (QChar c : pattern) {
        if (c == u'\'')
            quoted = !quoted;
        else if (!quoted && !c.isLetter() && !c.isSpace())
            return c;
    }
    return fallback;
}

// Longest run of one code letter that forms a single code; longer runs are
// split into several codes, left to right.
int longestCode(QChar code, int run)
{
    switch (code.unicode()) {
    case 'd':
        return qMin(run, 6);
    case 'm':
        return qMin(run, 4);
    case 'y':
        return run >= 4 ? 4 : (run >= 2 ? 2 : 1);
    case 'q':
        return 1;
    default: // h, n, s, w
        return qMin(run, 2);
    }
}

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// Week of the year with weeks starting on Sunday and week 1 holding 1 January.
int weekOfYear(const QDate &date)
{
    const int offset = QDate(date.year(), 1, 1).dayOfWeek() % 7; // 0 = Sunday
    return (date.dayOfYear() - 1 + offset) / 7 + 1;
}

class PictureWriter
{
public:
    PictureWriter(const QDateTime &when, const QLocale &locale)
        : date_(when.date())
        , time_(when.time())
        , locale_(locale)
        , dateSeparator_(separatorOf(locale.dateFormat(QLocale::ShortFormat), u'/'))
        , timeSeparator_(separatorOf(locale.timeFormat(QLocale::ShortFormat), u':'))
    { }

    QString write(const QString &picture)
    {
        QString out;
        const int n = picture.size();
        int i = 0;
        while (i < n) {
            const QChar c = picture.at(i);
            const QChar code = c.toLower();
            if (c == u'\\') {
                if (i + 1 < n)
                    out += picture.at(i + 1);
                i += 2;
            } else if (c == u'"') {
                const int close = picture.indexOf(u'"', i + 1);
                const int end = close < 0 ? n : close;
                out += picture.mid(i + 1, end - i - 1);
                i = end + 1;
            } else if (c == u'/') {
                out += dateSeparator_;
                ++i;
            } else if (c == u':') {
                out += timeSeparator_;
                ++i;
            } else if (QStringLiteral("dmyhnswq").contains(code)) {
                int run = 1;
                while (i + run < n && picture.at(i + run).toLower() == code)
                    ++run;
                // A run longer than one code is several codes, read left to
                // right; the run is scanned once, however long it is.
                for (int length = 0; run > 0; run -= length, i += length) {
                    length = longestCode(code, run);
                    out += codeText(code, length);
                }
            } else {
                out += c;
                ++i;
            }
        }
        return out;
    }

private:
    QString codeText(QChar code, int length)
    {
        const bool afterHour = afterHour_;
        afterHour_ = code == u'h';
        switch (code.unicode()) {
        case 'd':
            return dayText(length);
        case 'm':
            if (afterHour && length <= 2)
                return number(time_.minute(), length);
            return monthText(length);
        case 'y':
            if (length == 1)
                return QString::number(date_.dayOfYear());
            return length == 2 ? twoDigits(date_.year() % 100) : QString::number(date_.year());
        case 'h':
            return number(time_.hour(), length);
        case 'n':
            return number(time_.minute(), length);
        case 's':
            return number(time_.second(), length);
        case 'w':
            return QString::number(length == 1 ? date_.dayOfWeek() % 7 + 1 : weekOfYear(date_));
        default: // q
            return QString::number((date_.month() - 1) / 3 + 1);
        }
    }

    QString dayText(int length) const
    {
        switch (length) {
        case 1:
            return QString::number(date_.day());
        case 2:
            return twoDigits(date_.day());
        case 3:
            return locale_.dayName(date_.dayOfWeek(), QLocale::ShortFormat);
        case 4:
            return locale_.dayName(date_.dayOfWeek(), QLocale::LongFormat);
        case 5:
            return locale_.toString(date_, QLocale::ShortFormat);
        default:
            return locale_.toString(date_, QLocale::LongFormat);
        }
    }

    QString monthText(int length) const
    {
        switch (length) {
        case 1:
            return QString::number(date_.month());
        case 2:
            return twoDigits(date_.month());
        case 3:
            return locale_.monthName(date_.month(), QLocale::ShortFormat);
        default:
            return locale_.monthName(date_.month(), QLocale::LongFormat);
        }
    }

    static QString number(int value, int length)
    {
        return length == 1 ? QString::number(value) : twoDigits(value);
    }

    QDate date_;
    QTime time_;
    const QLocale &locale_;
    QChar dateSeparator_;
    QChar timeSeparator_;
    bool afterHour_ = false;
};

bool separatesWords(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == QChar(0);
}

} // namespace

QString formatDatePicture(const QDateTime &when, const QString &picture, const QLocale &locale)
{
    return PictureWriter(when, locale).write(picture);
}

QString properCase(const QString &text)
{
    QString out;
    out.reserve(text.size());
    bool wordStart = true;
    for (QChar c : text) {
        if (separatesWords(c)) {
            out += c;
            wordStart = true;
        } else {
            out += wordStart ? c.toUpper() : c.toLower();
            wordStart = false;
        }
    }
    return out;
}

} // namespace zet
