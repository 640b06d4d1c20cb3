// Mutated, huge and deeply nested templates through the loader: each load
// ends with a document or a zet::Error, never a crash or a hang, and objects
// and bands agree on where each object belongs.

#include "template/BandTable.h"

#include "TemplateTestHelpers.h"
#include "support/TextMutation.h"

#include <gtest/gtest.h>

using namespace zet;
using test::element;
using test::elements;

namespace {

// The error number of the load, 0 when the template loaded.
int loadAndCheck(const QString &text, ReportDocument &document)
{
    const int error = test::errorNumber([&] { loadTemplate(document, text); });
    for (int o = 0; error == 0 && o < document.objects.size(); ++o) {
        const int band = document.objects[o].bandIndex;
        EXPECT_TRUE(band == -1 || document.bands.value(band).objectIndexes.contains(o)) << "object " << o;
        EXPECT_LT(document.objects[o].imageIndex, std::max<qsizetype>(1, document.images.size()));
    }
    return error;
}

} // namespace

TEST(TemplateFuzz, MutatedTemplatesLoadOrFailCleanly)
{
    // Bands, a text object with a font, a picture bound to an image.
    const QString base
        = QStringLiteral(
              "<ZETVersion>1</ZETVersion><MargineSuperiore>567</MargineSuperiore>"
              "<InizioPagina>-1</InizioPagina><AltezzaInizioPagina>500</AltezzaInizioPagina>"
              "<InizioGruppoDati>1</InizioGruppoDati><NuovaPaginaInizioGruppoDati>1"
              "</NuovaPaginaInizioGruppoDati><CorpoDati>1</CorpoDati>"
              "<zet_object><Alto>800</Alto><Font><Size>12,5</Size><Bold>1</Bold></Font></zet_object>"
              "<zet_object><ZETe_ControlType>2</ZETe_ControlType><Immagine>logo</Immagine>"
              "<Alto>800</Alto></zet_object><zet_imagelist><Image-ID>logo</Image-ID><Image-File>")
        + test::gif3x2(1, 2) + "</Image-File></zet_imagelist>";
    ReportDocument document;
    ASSERT_EQ(loadAndCheck(base, document), 0);
    ASSERT_EQ(document.objects[1].bandIndex, kSlotPageHeader);
    ASSERT_EQ(document.images.size(), 1);
    const QStringList pieces = { "<", ">", "</", "<zet_object>", "</zet_object>", "<zet_imagelist>", "<Alto>",
        "</Alto>", "<Font>", "&H", "1e308", "-", "\r", "\u20AC", "<Size>" };
    QRandomGenerator random(20261206);
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        ReportDocument mutant;
        loadAndCheck(test::mutateText(base, random, pieces), mutant);
    }
}

TEST(TemplateFuzz, AbsurdShapesEndInAResultOrAnError)
{
    const QString huge(20 * 1024 * 1024, u'7');
    const std::tuple<const char *, QString, int, int> cases[] = { // error (0: loads), objects
        { "huge measures",
            elements({ { "Altezza", "1e308" }, { "CorpoDati", "1" }, { "AltezzaCorpoDati", "-1e308" } }), 0,
            0 },
        { "a key beyond 32 bits", element("zet_object", element("ZOrder", "&HFFFFFFFFF")), 6, 0 },
        { "a 20 MB value", element("Nome", huge) + element("zet_object", element("Valore", huge)), 0, 1 },
        { "10,000 nested objects", QStringLiteral("<zet_object>").repeated(10000) + "</zet_object>", 0,
            10000 },
        { "10,000 nested fonts", element("zet_object", QStringLiteral("<Font>").repeated(10000) + "</Font>"),
            0, 1 }
    };
    for (const auto &[what, text, error, objects] : cases) {
        ReportDocument document;
        EXPECT_EQ(loadAndCheck(text, document), error) << what;
        EXPECT_EQ(document.objects.size(), objects) << what;
    }
}
