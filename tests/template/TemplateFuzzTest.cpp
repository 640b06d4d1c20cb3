// Mutated, huge and deeply nested templates through the loader end in a document or a zet::Error, never a
// crash or a hang, and objects and bands agree on where each object belongs.

#include "template/BandTable.h"

#include "TemplateTestHelpers.h"
#include "support/TextMutation.h"

#include <gtest/gtest.h>

using namespace zet;

namespace {

// The objects of the template loaded from text, or -1 when it raised an error.
qsizetype loadAndCheck(const QString &text)
{
    ReportDocument document;
    if (test::errorNumber([&] { loadTemplate(document, text); }) != 0)
        return -1;
    for (int o = 0; o < document.objects.size(); ++o) {
        const int band = document.objects[o].bandIndex;
        EXPECT_TRUE(band == -1 || document.bands.value(band).objectIndexes.contains(o)) << "object " << o;
        EXPECT_LT(document.objects[o].imageIndex, std::max<qsizetype>(1, document.images.size()));
    }
    return document.objects.size();
}

} // namespace

TEST(TemplateFuzz, MutatedHugeAndDeeplyNestedTemplatesLoadOrFailCleanly)
{
    const QString base
        = QStringLiteral("<ZETVersion>1</ZETVersion><MargineSuperiore>567</MargineSuperiore>"
                         "<InizioPagina>-1</InizioPagina><AltezzaInizioPagina>500</AltezzaInizioPagina>"
                         "<InizioGruppoDati>1</InizioGruppoDati><CorpoDati>1</CorpoDati>"
                         "<zet_object><Alto>800</Alto><Font><Size>12,5</Size></Font></zet_object>"
                         "<zet_object><ZETe_ControlType>2</ZETe_ControlType><Immagine>logo</Immagine>"
                         "<Alto>800</Alto></zet_object><zet_imagelist><Image-ID>logo</Image-ID><Image-File>")
        + test::gif3x2(1, 2) + "</Image-File></zet_imagelist>";
    const ReportDocument document = test::loaded(base);
    ASSERT_EQ(document.images.size(), 1);
    ASSERT_EQ(document.objects.size(), 2);
    ASSERT_EQ(document.objects[1].bandIndex, kSlotPageHeader);
    const QStringList pieces = { "<", ">", "</", "<zet_object>", "</zet_object>", "<zet_imagelist>", "<Alto>",
        "</Alto>", "<Font>", "&H", "1e308", "-", "\r", "\u20AC", "<Size>" };
    QRandomGenerator random(20261206);
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        loadAndCheck(test::mutateText(base, random, pieces));
    }
    const QString huge(20 * 1024 * 1024, u'7');
    const QString hugeValues
        = test::element("Nome", huge) + test::element("zet_object", test::element("Valore", huge));
    EXPECT_EQ(loadAndCheck(hugeValues), 1);
    EXPECT_EQ(loadAndCheck(QStringLiteral("<zet_object>").repeated(10000) + "</zet_object>"), 10000);
    EXPECT_EQ(
        loadAndCheck(test::element("zet_object", QStringLiteral("<Font>").repeated(10000) + "</Font>")), 1);
}
