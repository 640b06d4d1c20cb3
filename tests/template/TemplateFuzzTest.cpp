// Random, mutated, huge and deeply nested templates through the loader: each
// load ends with a document or a zet::Error, never a crash or a hang, and
// what it builds is consistent.

#include "template/TemplateLoader.h"

#include "TemplateTestHelpers.h"
#include "support/TextMutation.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

namespace zet {
namespace {

using test::element;
using test::elements;

// Bands, a text object with a font, a picture bound to an image, a framed field.
QString richTemplate()
{
    const QString gif
        = test::asTemplateText(test::handMadeGif(2, 2, { qRgb(255, 0, 0), qRgb(0, 0, 255) }, { 0, 1, 1, 0 }));
    const QString bmp = test::asTemplateText(test::encoded(test::filled(3, 2, qRgb(9, 8, 7)), "BMP"));
    return elements({ { "ZETVersion", "1" }, { "Altezza", "16838" }, { "MargineSuperiore", "567" },
               { "InizioPagina", "-1" }, { "AltezzaInizioPagina", "500" }, { "InizioGruppoDati", "1" },
               { "NuovaPaginaInizioGruppoDati", "1" }, { "CorpoDati", "1" }, { "AltezzaCorpoDati", "255" },
               { "ZET_RecordsetStruct",
                   "<RecordsetStruct0><RecordsetStructName0>R</RecordsetStructName0></RecordsetStruct0>" } })
        + element("zet_object",
            elements({ { "ZETe_ControlType", "5" }, { "Alto", "800" }, { "Valore", "Fattura" },
                { "Font", elements({ { "Name", "Arial" }, { "Size", "12,5" }, { "Bold", "1" } }) } }))
        + element("zet_object",
            elements({ { "ZETe_ControlType", "2" }, { "Immagine", "logo" }, { "Alto", "1500" } }))
        + element("zet_object",
            elements(
                { { "ZETe_ControlType", "4" }, { "FonteDati", "Importo" }, { "ColoreSfondo", "&HFFFFFF" } }))
        + element("zet_imagelist", elements({ { "Image-ID", "logo" }, { "Image-File", gif } }))
        + element("zet_imagelist", elements({ { "Image-ID", "sfondo" }, { "Image-File", bmp } }));
}

// Every index the loader stored points into its list, and the two sides of
// the object-to-band binding agree.
void expectConsistent(const ReportDocument &document)
{
    ASSERT_TRUE(document.bands.isEmpty() || document.bands.size() == 12);
    for (int o = 0; o < document.objects.size(); ++o) {
        const ReportObject &object = document.objects[o];
        ASSERT_GE(object.bandIndex, -1);
        ASSERT_LT(object.bandIndex, document.bands.size());
        if (object.bandIndex >= 0) {
            EXPECT_TRUE(document.bands[object.bandIndex].visible);
            EXPECT_TRUE(document.bands[object.bandIndex].objectIndexes.contains(o));
        }
        EXPECT_TRUE(object.imageIndex == 0 || object.imageIndex < document.images.size());
    }
    for (int b = 0; b < document.bands.size(); ++b) {
        for (int o : document.bands[b].objectIndexes)
            EXPECT_EQ(document.objects.at(o).bandIndex, b);
    }
}

// Loads the text; a zet::Error is an acceptable end. Returns the error
// number, 0 when the template loaded.
int loadAndCheck(const QString &text, ReportDocument &document)
{
    const int error = test::errorNumber([&] { loadTemplate(document, text); });
    if (error == 0)
        expectConsistent(document);
    return error;
}

QString mutated(const QString &text, QRandomGenerator &random)
{
    static const QStringList pieces = { "<", ">", "</", "<zet_object>", "</zet_object>", "<zet_imagelist>",
        "<Alto>", "</Alto>", "<Font>", "&H", "1e308", "-", "\r", "\u20AC", "<Size>" };
    return test::mutateText(text, random, pieces);
}

TEST(TemplateFuzz, MutatedTemplatesLoadOrFailCleanly)
{
    const QString base = richTemplate();
    ReportDocument document;
    ASSERT_EQ(loadAndCheck(base, document), 0);
    ASSERT_EQ(document.images.size(), 2);
    ASSERT_EQ(document.objects.size(), 3);
    QRandomGenerator random(20261206);
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        ReportDocument mutant;
        loadAndCheck(mutated(base, random), mutant);
    }
}

TEST(TemplateFuzz, AbsurdShapesEndInAResultOrAnError)
{
    const QString huge(20 * 1024 * 1024, QLatin1Char('7'));
    const QByteArray gif = test::handMadeGif(30, 30, { qRgb(1, 2, 3), qRgb(4, 5, 6) }, QList<int>(900, 1));
    const std::tuple<const char *, QString, int, int, int> cases[] = {
        // error (0: loads), objects, images
        { "huge page measures",
            elements({ { "Altezza", "1e308" }, { "MargineSuperiore", "1e308" },
                { "MargineInferiore", "-1e308" }, { "CorpoDati", "1" }, { "AltezzaCorpoDati", "1e308" } }),
            0, 0, 0 },
        { "object key beyond 32 bits", element("zet_object", element("ZOrder", "&HFFFFFFFFF")), 6, 0, 0 },
        { "band key beyond 32 bits", element("InterruzioneCorpoDati", "&HFFFFFFFFF"), 6, 0, 0 },
        { "a 20 MB value", element("Nome", huge) + element("zet_object", element("Valore", huge)), 0, 1, 0 },
        { "10,000 nested objects",
            QStringLiteral("<zet_object>").repeated(10000) + element("Alto", "5")
                + QStringLiteral("</zet_object>").repeated(10000),
            0, 10000, 0 },
        { "10,000 objects without closing tags", QStringLiteral("<zet_object><Alto>1</Alto>").repeated(10000),
            0, 0, 0 },
        { "10,000 nested fonts",
            element(
                "zet_object", QStringLiteral("<Font>").repeated(10000) + element("Size", "9") + "</Font>"),
            0, 1, 0 },
        { "image of random bytes",
            element("zet_imagelist", element("Image-File", test::asTemplateText(test::randomBytes(5000)))), 0,
            0, 0 },
        { "truncated GIF", // what arrived of it is decoded
            element("zet_imagelist", element("Image-File", test::asTemplateText(gif.left(60)))), 0, 0, 1 },
    };
    for (const auto &[what, text, error, objects, images] : cases) {
        SCOPED_TRACE(what);
        ReportDocument document;
        EXPECT_EQ(loadAndCheck(text, document), error);
        if (error == 0) {
            EXPECT_EQ(document.objects.size(), objects);
            EXPECT_EQ(document.images.size(), images);
        }
    }
}

} // namespace
} // namespace zet
