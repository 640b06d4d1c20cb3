#include "layout/BandOverflow.h"

#include "core/Rounding.h"
#include "template/BandTable.h"
#include "template/Vocabulary.h"
#include "zetview/Error.h"

#include <cmath>
#include <limits>

namespace zet {

namespace {

// "Key = value" for the measure that carried a position beyond 32 bits.
QString culprit(const ReportDocument &document)
{
    constexpr double kLargest = std::numeric_limits<int>::max();
    if (!(std::fabs(document.pageHeight) <= kLargest))
        return QStringLiteral("%1 = %2").arg(key::kAltezza).arg(document.pageHeight);
    int tallest = -1;
    for (int b = 0; b < document.bands.size(); ++b) {
        const double height = std::fabs(document.bands.at(b).height);
        if (document.bands.at(b).visible
            && (tallest < 0 || height > std::fabs(document.bands.at(tallest).height)))
            tallest = b;
    }
    if (tallest < 0)
        return QString();
    return QStringLiteral("%1 = %2").arg(bandHeightKey(tallest)).arg(document.bands.at(tallest).height);
}

} // namespace

QLatin1String bandHeightKey(int bandIndex)
{
    if (bandIndex == kSlotTopMargin)
        return key::kMargineSuperiore;
    if (bandIndex == kSlotBottomMargin)
        return key::kMargineInferiore;
    if (bandIndex >= kSlotPageHeader && bandIndex <= kSlotPageFooter)
        return key::kBandKeys[size_t(bandIndex - kSlotPageHeader)].height;
    return QLatin1String();
}

int bandPosition(const ReportDocument &document, double twips)
{
    try {
        return roundHalfEven(twips);
    } catch (const Error &error) {
        throw Error(error.number(),
            QStringLiteral("%1: una banda starebbe a %2 twip dall'inizio della pagina, oltre i 32 bit (%3)")
                .arg(error.message())
                .arg(twips)
                .arg(culprit(document)));
    }
}

} // namespace zet
