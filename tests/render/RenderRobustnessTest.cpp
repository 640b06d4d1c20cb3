#include "FakeEditBoxes.h"
#include "gfx/DeviceContext.h"
#include "render/PageRenderer.h"
#include "support/PixelProbe.h"
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
        for (double *size : { &doc.pageWidth, &doc.pageHeight })
            *size = length(20000);
        for (double *margin : { &doc.marginLeft, &doc.marginTop, &doc.marginRight, &doc.marginBottom })
            *margin = length(2000);
        if (chance(3)) {
            QImage picture(
                1 + pick(30), 1 + pick(30), chance(4) ? QImage::Format_Indexed8 : QImage::Format_BGR888);
            if (picture.format() == QImage::Format_Indexed8)
                picture.setColorCount(256);
            picture.fill(0);
            picture.setDotsPerMeterX(pick(8000));
            picture.setDotsPerMeterY(pick(8000));
            doc.images.append(ImageEntry { QStringLiteral("p"), QString(), chance(5) ? QImage() : picture });
        }
        const int bands = 1 + pick(3);
        const int objects = pick(8);
        for (int b = 0; b < bands; ++b) {
            doc.bands.append(ReportBand());
            doc.bands.last().visible = !chance(4);
        }
        for (int o = 0; o < objects; ++o) {
            ReportObject &object = doc.objects.emplace_back();
            object.controlType = pick(9) - 1;
            for (double *x : { &object.left, &object.width })
                *x = length(8000);
            for (double *y : { &object.topInBand, &object.height })
                *y = length(4000);
            object.style = pick(8) - 1;
            object.alignment = pick(6) - 1;
            object.border = chance(2);
            object.transparentBack = chance(2);
            object.fitToImage = chance(2);
            object.fitToControl = chance(2);
            object.printable = !chance(4);
            object.imageIndex = chance(8) ? 1 : 0;
            object.backColour = int(random_.generate());
            object.textColour = int(random_.generate());
            object.value = object.loadedValue = text();
            object.dataSource = chance(2) ? QString() : QStringLiteral("Campo");
            if (!chance(5)) {
                ReportFont font;
                font.name = chance(3) ? QStringLiteral("Nessun Font Simile") : QStringLiteral("Arial");
                font.size = chance(6) ? -12 : pick(300) / 4.0;
                font.weight = pick(1000);
                font.italic = chance(2);
                object.font = font;
            }
            doc.bands[pick(bands)].objectIndexes.append(chance(10) ? objects + 3 : o);
        }
        for (int v = 0; v < 3; ++v)
            doc.values.append(DataValue { 0, QStringLiteral("Campo"), text(), QString() });
        for (int p = 1 + pick(3); p > 0; --p) {
            LaidPage &page = doc.pages.emplace_back();
            for (int n = pick(4); n > 0; --n) {
                PlacedBand &placed = page.placedBands.emplace_back();
                placed.bandIndex = chance(10) ? bands : pick(bands);
                placed.top = int(length(20000));
                for (int i = pick(4); i > 0; --i)
                    placed.items.append(
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
        QImage image = greyCanvas(120, 90, 48 + 48 * random.pick(3));
        DeviceContext context(&image);
        FakeEditBoxes boxes(random.pick(3));
        try {
            renderPage(doc, context, random.pick(int(doc.pages.size()) + 1) - (random.chance(8) ? 1 : 0),
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
