#include "render/Placeholders.h"

#include "model/DocumentAccess.h"
#include "render/DatePicture.h"
#include "xml/ElementReader.h"

#include <QLocale>
#include <functional>

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

// now() is asked only when the text holds a date token: reading the clock
// and the time zone costs more than settling the rest of the text.
QString replaceDates(const QString &text, const std::function<QDateTime()> &now)
{
    const QLocale locale;
    QDateTime when;
    QString value = text;
    // Each pass replaces a token ending in "]" by a text without one, so the
    // loop ends after at most as many passes as the text has "]".
    for (;;) {
        const int start = value.indexOf(kDateStart);
        if (start < 0)
            break;
        const int close = value.indexOf(u']', start + kDateStart.size());
        if (close < 0)
            break;
        const QString token = value.mid(start, close - start + 1);
        if (!when.isValid())
            when = now();
        value.replace(token, properCase(formatDatePicture(when, datePictureOf(token), locale)));
    }
    return value;
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
