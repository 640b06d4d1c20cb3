#include "template/BandTable.h"

#include "template/Conversions.h"
#include "template/KeyError.h"
#include "template/Vocabulary.h"

namespace zet {

namespace {

constexpr double kStripAfterTopMargin = 225;
constexpr double kStripBeforeBottomMargin = 60;
constexpr double kStripBetweenBands = 285;

int integerKey(const KeyReader &text, QLatin1String name)
{
    return name.isEmpty() ? 0 : readKey(name, text.value(name), parseInteger);
}

ReportBand namedBand(const KeyReader &text, const key::BandKeys &keys, BandKind kind)
{
    ReportBand band;
    band.visible = parseBoolean(text.value(keys.Presence));
    band.height = readKey(keys.height, text.value(keys.height), parseNumber);
    band.breakMode = BreakMode(integerKey(text, keys.Break));
    band.newPage = NewPageMode(integerKey(text, keys.newPage));
    band.repeat = integerKey(text, keys.repeat);
    band.kind = kind;
    return band;
}

ReportBand marginBand(double height, BandKind kind)
{
    ReportBand band;
    band.visible = true;
    band.height = height;
    band.kind = kind;
    return band;
}

// Kind and level of the five data slots, by which of them are present.
void assignDataLevels(QList<ReportBand> &bands)
{
    auto present = [&bands](int slot) { return bands[slot].visible; };
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
        band.dataLevel = levels[i];
        band.kind = levels[i] == -1 ? BandKind::Unused : BandKind::Data;
    }
}

} // namespace

void buildBandTable(ReportDocument &document, const KeyReader &keys)
{
    static constexpr BandKind kNamedKinds[] = {
        BandKind::PageHeader,
        BandKind::ReportHeader,
        BandKind::Unused,
        BandKind::Unused,
        BandKind::Unused,
        BandKind::Unused,
        BandKind::Unused,
        BandKind::ReportFooter,
        BandKind::PageFooter,
    };
    QList<ReportBand> bands;
    bands.reserve(kBandSlotCount);
    bands.append(ReportBand());
    bands.append(marginBand(document.marginTop, BandKind::TopMargin));
    for (std::size_t i = 0; i < key::kBandKeys.size(); ++i)
        bands.append(namedBand(keys, key::kBandKeys[i], kNamedKinds[i]));
    bands.append(marginBand(document.marginBottom, BandKind::BottomMargin));
    assignDataLevels(bands);
    document.bands = bands;
}

void computeBandPositions(ReportDocument &document)
{
    double design = 0;
    double stack = 0;
    for (int slot = kSlotTopMargin; slot < document.bands.size(); ++slot) {
        ReportBand &band = document.bands[slot];
        band.designTop = design;
        if (band.visible) {
            band.designBottom = design + band.height;
            double strip = kStripBetweenBands;
            if (slot == kSlotTopMargin)
                strip = kStripAfterTopMargin;
            else if (slot == kSlotBottomMargin)
                strip = kStripBeforeBottomMargin;
            design += band.height + strip;
            band.stackTop = stack;
            stack += band.height;
        } else {
            band.designBottom = design;
            design += kStripBetweenBands;
        }
    }
}

void linkDataBands(ReportDocument &document)
{
    QList<ReportBand> &bands = document.bands;
    for (int i = 0; i < bands.size(); ++i) {
        ReportBand &band = bands[i];
        if (!band.visible || band.kind != BandKind::Data)
            continue;
        band.linkPrev = -1;
        for (int j = i - 1; j >= 0 && bands[j].kind == BandKind::Data; --j) {
            if (bands[j].newPage != NewPageMode::None)
                band.linkPrev = j;
        }
        band.linkNext = -1;
        band.linkHeight = 0;
        for (int j = i + 1; j < bands.size() && bands[j].kind == BandKind::Data; ++j) {
            if (bands[j].newPage != NewPageMode::None) {
                band.linkNext = j;
                band.linkHeight += bands[j].height;
            }
        }
    }
}

} // namespace zet
