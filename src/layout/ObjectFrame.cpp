#include "layout/ObjectFrame.h"

#include "model/DocumentAccess.h"
#include "template/Conversions.h"
#include "template/Vocabulary.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace zet {

int checkedInt(qint64 value)
{
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        throw Error::overflow();
    return int(value);
}

Error drawingOverflow(const QString &what, double value, int limitTwips)
{
    const QString limit
        = limitTwips > 0 ? QStringLiteral("±%1 twip").arg(limitTwips) : QStringLiteral("i 32 bit");
    return Error::overflow(
        QStringLiteral("Overflow: il disegno starebbe oltre %1 (%2 = %3)")
            .arg(limit, what, QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest)));
}

QString objectLabel(const ReportDocument &document, int objectIndex)
{
    const QString name = document.objects.value(objectIndex).name;
    if (name.isEmpty())
        return QStringLiteral("oggetto n. %1").arg(objectIndex + 1);
    return QStringLiteral("oggetto \"%1\"").arg(name);
}

namespace {

int checkedEdge(qint64 value)
{
    if (value < -kLargestFrameEdge || value > kLargestFrameEdge)
        throw Error::overflow();
    return int(value);
}

// position rounded half to even; when it leaves the usable range the error
// names key and the value the template gave it.
int edgeAt(double position, QLatin1String key, double value)
{
    const double rounded = roundedHalfEven(position);
    if (!(std::abs(rounded) <= kLargestFrameEdge)) // NaN fails too
        throw drawingOverflow(key, value, kLargestFrameEdge);
    return int(rounded);
}

} // namespace

ObjectFrame shiftedFrame(const ObjectFrame &frame, int dx)
{
    return { checkedEdge(qint64(frame.left) + dx), frame.top, checkedEdge(qint64(frame.right) + dx),
        frame.bottom };
}

void checkPlacedObjects(const ReportDocument &document)
{
    // The lowest and highest top of each band's copies; the edges of a frame
    // grow with the band's top, so these two bound every copy.
    std::vector<std::pair<int, int>> tops(
        document.bands.size(), { std::numeric_limits<int>::max(), std::numeric_limits<int>::min() });
    for (const LaidPage &page : document.pages) {
        for (const PlacedBand &placed : page.placedBands) {
            checkedAt(document.bands, placed.bandIndex, "Bands");
            auto &[lowest, highest] = tops[placed.bandIndex];
            lowest = std::min(lowest, placed.top);
            highest = std::max(highest, placed.top);
        }
    }
    for (int b = 0; b < document.bands.size(); ++b) {
        // Plain variables: clang 14 cannot capture a structured binding in the lambda below.
        const int lowest = tops[b].first, highest = tops[b].second;
        if (lowest > highest || !document.bands.at(b).visible)
            continue;
        for (const int objectIndex : document.bands.at(b).objectIndexes) {
            const ReportObject &object = checkedAt(document.objects, objectIndex, "Objects");
            if (object.dataSource.isEmpty() && !object.printable)
                continue;
            namingObject(document, objectIndex, [&] {
                computeObjectFrame(document, objectIndex, lowest);
                computeObjectFrame(document, objectIndex, highest);
                const bool text = object.controlType == ControlType::Text
                    || object.controlType == ControlType::FramedText;
                if (text && object.font && !object.font->nameFits())
                    throw object.font->nameError();
            });
        }
    }
}

ObjectFrame computeObjectFrame(const ReportDocument &document, int objectIndex, int bandTop)
{
    const ReportObject &object = checkedAt(document.objects, objectIndex, "Objects");
    ObjectFrame frame;
    frame.left = edgeAt(object.left, key::kSinistra, object.left);
    frame.top = edgeAt(bandTop + object.topInBand, key::kAlto, object.top);
    frame.right = edgeAt(frame.left + object.width, key::kLarghezza, object.width);
    frame.bottom = edgeAt(frame.top + object.height, key::kAltezza, object.height);
    return frame;
}

} // namespace zet
