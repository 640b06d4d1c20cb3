#include "render/Placeholders.h"

#include "model/DocumentAccess.h"
#include "render/DatePicture.h"
#include "xml/ElementReader.h"

#include <QHash>
#include <QLocale>
#include <QSet>
#include <functional>
#include <optional>
#include <vector>

namespace zet {

namespace {

const QString kPageNumber = QStringLiteral("[&p]");
const QString kPageCount = QStringLiteral("[&P]");
const QString kDateStart = QStringLiteral("[&d");
const QString kDefaultDatePicture = QStringLiteral("dd/mm/yyyy");

QString datePictureOf(const QString &token)
{
    QString picture = token;
    picture.remove(kDateStart);
    picture.remove(u']');
    picture = trimSpaces(picture);
    return picture.isEmpty() ? kDefaultDatePicture : picture;
}

// The filled text of one date token ("[&d" ... "]").
using TokenFiller = std::function<QString(const QString &token)>;

// The defining loop: take the first token (from the first "[&d" to the first
// "]" after it), replace every copy of it, start again. Each pass removes at
// least one "]" (a filled date holds none), so the loop ends; but every pass
// scans the whole text.
QString replaceDatesPassByPass(QString value, const TokenFiller &fill)
{
    for (;;) {
        const qsizetype start = value.indexOf(kDateStart);
        if (start < 0)
            break;
        const qsizetype close = value.indexOf(u']', start + kDateStart.size());
        if (close < 0)
            break;
        const QString token = value.mid(start, close - start + 1);
        value.replace(token, fill(token));
    }
    return value;
}

// Whether "[&d" stands across the joints of before, filled and after, or
// inside filled (known as filledHasStart).
bool makesNewStart(QStringView before, const QString &filled, bool filledHasStart, QStringView after)
{
    if (filledHasStart)
        return true;
    QString joints = before.toString();
    if (filled.size() <= 4)
        joints.append(filled);
    else // the ends of filled, kept apart by a character "[&d" cannot hold
        joints.append(QStringView(filled).first(2)).append(u'\n').append(QStringView(filled).last(2));
    return joints.append(after).contains(kDateStart);
}

// The defining loop's result in one pass from left to right, when the text
// allows it: every token is then the stretch from the first "[&d" after a "]"
// (or the text's start) to the next "]", and its copies further on are the
// same stretches, filled as they come. That holds unless a filled date brings
// a new "[&d" into the text, or a token is the tail of a later stretch that
// holds more than one "[&d" (the loop would fill that tail first): then
// nothing is returned.
std::optional<QString> replaceDatesInOnePass(const QString &text, const TokenFiller &fill)
{
    // Right to left, the hash of the text from each position to the next "]"
    // (inclusive): the leftmost "[&d" of a stretch starts its token, the
    // others start inner tails.
    constexpr quint64 kBase = 0x100000001B3ULL;
    struct Token
    {
        qsizetype start;
        qsizetype close;
        quint64 hash;
    };
    std::vector<Token> tokens;
    QSet<quint64> innerTails;
    std::optional<Token> leftmost;
    quint64 hash = 0;
    qsizetype close = -1;
    for (qsizetype p = text.size() - 1; p >= 0; --p) {
        const QChar c = text.at(p);
        if (c == u']') {
            if (leftmost)
                tokens.push_back(*std::exchange(leftmost, std::nullopt));
            close = p;
            hash = c.unicode();
            continue;
        }
        if (close < 0)
            continue; // after the last "]" no token ends
        hash = hash * kBase + c.unicode();
        if (c == u'[' && text.at(p + 1) == u'&' && text.at(p + 2) == u'd') {
            if (leftmost)
                innerTails.insert(leftmost->hash);
            leftmost = Token { p, close, hash };
        }
    }
    if (leftmost)
        tokens.push_back(*leftmost);

    struct Filled
    {
        QString text;
        bool hasStart;
    };
    QHash<QString, Filled> filled;
    QString out;
    out.reserve(text.size());
    qsizetype done = 0;
    for (auto token = tokens.rbegin(); token != tokens.rend(); ++token) {
        if (innerTails.contains(token->hash))
            return std::nullopt;
        out += QStringView(text).sliced(done, token->start - done);
        const QString tokenText = text.sliced(token->start, token->close - token->start + 1);
        auto known = filled.constFind(tokenText);
        if (known == filled.constEnd()) {
            const QString date = fill(tokenText);
            known = filled.insert(tokenText, { date, date.contains(kDateStart) });
        }
        const QStringView after = QStringView(text).sliced(token->close + 1);
        if (makesNewStart(QStringView(out).last(std::min<qsizetype>(2, out.size())), known->text,
                known->hasStart, after.first(std::min<qsizetype>(2, after.size()))))
            return std::nullopt;
        out += known->text;
        done = token->close + 1;
    }
    out += QStringView(text).sliced(done);
    return out;
}

// Fills the date tokens as the defining loop does, in time proportional to
// the text's length unless the text is built to make filled dates or tails
// of tokens match further tokens. now() is asked only when the text holds a
// date token: reading the clock and the time zone costs more than settling
// the rest of the text.
QString replaceDates(const QString &text, const std::function<QDateTime()> &now)
{
    if (!text.contains(kDateStart))
        return text;
    const QLocale locale;
    const QDateTime when = now();
    const TokenFiller fill = [&](const QString &token) {
        return properCase(formatDatePicture(when, datePictureOf(token), locale));
    };
    if (std::optional<QString> filled = replaceDatesInOnePass(text, fill))
        return *filled;
    return replaceDatesPassByPass(text, fill);
}

void resolveObjectText(ReportDocument &document, int pageIndex, int placedBandIndex, int itemIndex,
    int objectIndex, const std::function<QDateTime()> &now)
{
    const LaidPage &page = checkedAt(std::as_const(document.pages), pageIndex, "Pages");
    const PlacedBand &placed = checkedAt(page.placedBands, placedBandIndex, "PlacedBands");
    const PlacedItem &item = checkedAt(placed.items, itemIndex, "Items");
    ReportObject &object = checkedAt(document.objects, objectIndex, "Objects");

    if (item.valueIndex < 0) {
        QString value = object.loadedValue;
        value.replace(kPageNumber, QString::number(pageIndex + 1));
        value.replace(kPageCount, QString::number(document.pages.size()));
        object.value = replaceDates(value, now);
    } else if (object.controlType == ControlType::FramedText || object.controlType == ControlType::Text) {
        object.value = checkedAt(std::as_const(document.values), item.valueIndex, "Values").value;
    }
}

} // namespace

QString replaceDatePlaceholders(const QString &text, const QDateTime &now)
{
    return replaceDates(text, [&] { return now; });
}

void resolveObjectText(ReportDocument &document, int pageIndex, int placedBandIndex, int itemIndex,
    int objectIndex, const QDateTime &now)
{
    resolveObjectText(document, pageIndex, placedBandIndex, itemIndex, objectIndex, [&] { return now; });
}

void resolveObjectText(
    ReportDocument &document, int pageIndex, int placedBandIndex, int itemIndex, int objectIndex)
{
    resolveObjectText(document, pageIndex, placedBandIndex, itemIndex, objectIndex,
        [] { return QDateTime::currentDateTime(); });
}

void placeEditBox(EditBoxes &boxes, int &usedCount, int lastIndex, const ReportObject &object, int valueIndex,
    const ObjectFrame &frame)
{
    const int box = ++usedCount;
    if (box <= lastIndex)
        boxes.setVisible(box, false);
    else if (box > boxes.upperBound())
        boxes.load(box);

    boxes.setFont(box, object.font ? &*object.font : nullptr);
    // A box cannot spread its characters: justified text shows left-aligned.
    boxes.setAlignment(
        box, object.alignment == TextAlignment::Justified ? TextAlignment::Left : object.alignment);
    boxes.setForeColor(box, object.textColour);
    boxes.setBackColor(box, object.backColour);
    boxes.setGeometry(box, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
    boxes.setText(box, object.value);
    boxes.setTag(box, setElementValue(boxes.tag(box), kEditBoxValueElement, QString::number(valueIndex)));
    boxes.setVisible(box, true);
    boxes.bringToFront(box);
}

} // namespace zet
