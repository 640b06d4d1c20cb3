#include "template/BandTable.h"

#include "template/Conversions.h"
#include "template/Vocabulary.h"

namespace zet {

namespace {

constexpr double kStripAfterTopMargin = 225;
constexpr double kStripBeforeBottomMargin = 60;
constexpr double kStripBetweenBands = 285;

int integerKey(const KeyReader &text, QLatin1String name)
{
    return name.isEmpty() ? 0 : ParseInteger(text.value(name));
}

ReportBand namedBand(const KeyReader &text, const key::BandKeys &keys, BandKind kind)
{
    ReportBand band;
    band.Visible = ParseBoolean(text.value(keys.Presence));
    band.Height = ParseNumber(text.value(keys.Height));
    band.BreakMode = integerKey(text, keys.Break);
    band.NewPage = integerKey(text, keys.NewPage);
    band.Repeat = integerKey(text, keys.Repeat);
    band.Kind = kind;
    return band;
}

ReportBand marginBand(double height, BandKind kind)
{
    ReportBand band;
    band.Visible = true;
    band.Height = height;
    band.Kind = kind;
    return band;
}

// Kind and level of the five data slots, by which of them are present.
void assignDataLevels(QList<ReportBand> &bands)
{
    auto present = [&bands](int slot) { return bands[slot].Visible; };
    QList<int> levels;
    if (present(kSlotGroupHeader) || present(kSlotGroupFooter))
        levels = { 1, 2, 3, 2, 1 };
    else if (present(kSlotDataHeader) || present(kSlotDataFooter))
        levels = { -1, 1, 2, 1, -1 };
    else if (present(kSlotBody))
        levels = { -1, -1, 1, -1, -1 };
    else
        levels = { -1, -1, -1, -1, -1 };
    for (int i = 0; i < levels.size(); ++i) {
        ReportBand &band = bands[kSlotGroupHeader + i];
        band.DataLevel = levels[i];
        band.Kind = levels[i] == -1 ? kBandUnused : kBandData;
    }
}

} // namespace

void BuildBandTable(ReportDocument &document, const KeyReader &keys)
{
    static constexpr BandKind kNamedKinds[] = {
        kBandPageHeader,
        kBandReportHeader,
        kBandUnused,
        kBandUnused,
        kBandUnused,
        kBandUnused,
        kBandUnused,
        kBandReportFooter,
        kBandPageFooter,
    };
    QList<ReportBand> bands;
    bands.reserve(kBandSlotCount);
    bands.append(ReportBand());
    bands.append(marginBand(document.MarginTop, kBandTopMargin));
    for (std::size_t i = 0; i < key::kBandKeys.size(); ++i)
        bands.append(namedBand(keys, key::kBandKeys[i], kNamedKinds[i]));
    bands.append(marginBand(document.MarginBottom, kBandBottomMargin));
    assignDataLevels(bands);
    document.Bands = bands;
}

void ComputeBandPositions(ReportDocument &document)
{
    double design = 0;
    double stack = 0;
    for (int slot = kSlotTopMargin; slot < document.Bands.size(); ++slot) {
        ReportBand &band = document.Bands[slot];
        band.DesignTop = design;
        if (band.Visible) {
            band.DesignBottom = design + band.Height;
            double strip = kStripBetweenBands;
            if (slot == kSlotTopMargin)
                strip = kStripAfterTopMargin;
            else if (slot == kSlotBottomMargin)
                strip = kStripBeforeBottomMargin;
            design += band.Height + strip;
            band.StackTop = stack;
            stack += band.Height;
        } else {
            band.DesignBottom = design;
            design += kStripBetweenBands;
        }
    }
}

void LinkDataBands(ReportDocument &document)
{
    QList<ReportBand> &bands = document.Bands;
    for (int i = 0; i < bands.size(); ++i) {
        ReportBand &band = bands[i];
        if (!band.Visible || band.Kind != kBandData)
            continue;
        band.LinkPrev = -1;
        for (int j = i - 1; j >= 0 && bands[j].Kind == kBandData; --j) {
            if (bands[j].NewPage != 0)
                band.LinkPrev = j;
        }
        band.LinkNext = -1;
        band.LinkHeight = 0;
        for (int j = i + 1; j < bands.size() && bands[j].Kind == kBandData; ++j) {
            if (bands[j].NewPage != 0) {
                band.LinkNext = j;
                band.LinkHeight += bands[j].Height;
            }
        }
    }
}

} // namespace zet
