#include "FakeEditBoxes.h"
#include "PixelProbe.h"
#include "gfx/DeviceContext.h"
#include "render/PageRenderer.h"
#include "zetview/Error.h"

#include <QRandomGenerator>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace zet;
using namespace zet::testing;

namespace {

// Random documents with out-of-range indices, absurd sizes and unknown codes
// must render or raise a zet::Error: never crash, hang or touch memory they
// do not own (run under the sanitizers in CI).
class RandomDocument
{
public:
    explicit RandomDocument(quint32 seed)
        : random_(seed)
    { }

    ReportDocument make()
    {
        ReportDocument doc;
        for (double *size : { &doc.PageWidth, &doc.PageHeight })
            *size = length(20000);
        for (double *margin : { &doc.MarginLeft, &doc.MarginTop, &doc.MarginRight, &doc.MarginBottom })
            *margin = length(2000);
        if (chance(3)) {
            QImage picture(
                1 + pick(30), 1 + pick(30), chance(4) ? QImage::Format_Indexed8 : QImage::Format_BGR888);
            if (picture.format() == QImage::Format_Indexed8)
                picture.setColorCount(256);
            picture.fill(0);
            picture.setDotsPerMeterX(pick(8000));
            picture.setDotsPerMeterY(pick(8000));
            doc.Images.append(ImageEntry { QStringLiteral("p"), QString(), chance(5) ? QImage() : picture });
        }
        const int bands = 1 + pick(3);
        const int objects = pick(8);
        for (int b = 0; b < bands; ++b) {
            doc.Bands.append(ReportBand());
            doc.Bands.last().Visible = !chance(4);
        }
        for (int o = 0; o < objects; ++o) {
            ReportObject &object = doc.Objects.emplace_back();
            object.ControlType = pick(9) - 1;
            for (double *x : { &object.Left, &object.Width })
                *x = length(8000);
            for (double *y : { &object.TopInBand, &object.Height })
                *y = length(4000);
            object.Style = pick(8) - 1;
            object.Alignment = pick(6) - 1;
            object.Border = chance(2);
            object.TransparentBack = chance(2);
            object.FitToImage = chance(2);
            object.FitToControl = chance(2);
            object.Printable = !chance(4);
            object.ImageIndex = chance(8) ? 1 : 0;
            object.BackColour = int(random_.generate());
            object.TextColour = int(random_.generate());
            object.Value = object.LoadedValue = text();
            object.DataSource = chance(2) ? QString() : QStringLiteral("Campo");
            if (!chance(5)) {
                ReportFont font;
                font.Name = chance(3) ? QStringLiteral("Nessun Font Simile") : QStringLiteral("Arial");
                font.Size = chance(6) ? -12 : pick(300) / 4.0;
                font.Weight = pick(1000);
                font.Italic = chance(2);
                object.Font = font;
            }
            doc.Bands[pick(bands)].ObjectIndexes.append(chance(10) ? objects + 3 : o);
        }
        for (int v = 0; v < 3; ++v)
            doc.Values.append(DataValue { 0, QStringLiteral("Campo"), text(), QString() });
        for (int p = 1 + pick(3); p > 0; --p) {
            LaidPage &page = doc.Pages.emplace_back();
            for (int n = pick(4); n > 0; --n) {
                PlacedBand &placed = page.PlacedBands.emplace_back();
                placed.BandIndex = chance(10) ? bands : pick(bands);
                placed.Top = int(length(20000));
                for (int i = pick(4); i > 0; --i)
                    placed.Items.append(
                        PlacedItem { chance(10) ? objects : pick(objects), pick(4) - (chance(10) ? 0 : 1) });
            }
        }
        return doc;
    }

    int pick(int bound) { return bound > 0 ? int(random_.bounded(bound)) : 0; }
    bool chance(int oneIn) { return pick(oneIn) == 0; }

    // Mostly plausible twips; now and then negative, enormous or not a number.
    double length(int plausible)
    {
        const double odd[]
            = { -double(pick(plausible)), 1e12, std::numeric_limits<double>::quiet_NaN(), 0.5 + pick(3) };
        const int kind = pick(40);
        return kind < 4 ? odd[kind] : pick(plausible);
    }

    QString text()
    {
        static const QStringList parts { QStringLiteral("[&p]"), QStringLiteral("[&P]"),
            QStringLiteral("[&d"), QStringLiteral("]"), QStringLiteral("mmmm"), QStringLiteral("&"),
            QStringLiteral("Ab"), QStringLiteral(" "), QStringLiteral("\U0001F600") };
        QString out;
        for (int n = pick(8); n > 0; --n)
            out += parts.at(pick(int(parts.size())));
        return out;
    }

private:
    QRandomGenerator random_;
};

TEST(RenderPage, RandomDocumentsRenderOrRaiseARunTimeError)
{
    RandomDocument random(20261206);
    int rendered = 0;
    int errors = 0;
    for (int round = 0; round < 500; ++round) {
        SCOPED_TRACE(round);
        ReportDocument doc = random.make();
        const double zooms[] = { 1.0, 1.0, 0.5, 2.0, 0.0, -1.0 };
        QImage image = GreyCanvas(120, 90, 48 + 48 * random.pick(3));
        DeviceContext context(&image);
        FakeEditBoxes boxes(random.pick(3));
        try {
            RenderPage(doc, context, random.pick(int(doc.Pages.size()) + 1) - (random.chance(8) ? 1 : 0),
                random.chance(2), random.chance(2) ? &boxes : nullptr, zooms[random.pick(6)],
                random.chance(3), random.chance(3), int(random.length(3000)) % 100000, random.pick(3000),
                random.chance(4));
            ++rendered;
        } catch (const Error &e) {
            EXPECT_TRUE(e.number() == Error::kSubscriptOutOfRange || e.number() == Error::kOverflow)
                << e.number();
            ++errors;
        }
    }
    // Both outcomes occur, so the generator reaches the error paths and the
    // drawing paths alike.
    EXPECT_GT(rendered, 100);
    EXPECT_GT(errors, 50);
}

} // namespace
