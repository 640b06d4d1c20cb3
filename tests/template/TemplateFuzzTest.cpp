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
    qsizetype bound = 0;
    for (const ReportObject &object : document.objects) {
        bound += object.bandIndex != -1;
        EXPECT_LT(object.imageIndex, std::max<qsizetype>(1, document.images.size()));
    }
    qsizetype listed = 0;
    for (int b = 0; b < document.bands.size(); ++b) {
        for (int o : document.bands[b].objectIndexes) {
            EXPECT_EQ(document.objects.value(o).bandIndex, b) << "object " << o;
            ++listed;
        }
    }
    EXPECT_EQ(listed, bound);
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
    ASSERT_EQ(loadAndCheck(base), 2);
    ASSERT_EQ(test::loaded(base).images.size(), 1);
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
    // Nested elements each run to the first closing tag after them: their keys are read once for all,
    // a picture they share is decoded once, and values that would overlap beyond memory are refused.
    const int nested = 100000;
    EXPECT_EQ(loadAndCheck(QStringLiteral("<zet_object>").repeated(nested) + "</zet_object>"), nested);
    EXPECT_EQ(loadAndCheck(QStringLiteral("<zet_object><Font>").repeated(nested)
                  + "<Size>9</Size></Font></zet_object>"),
        nested);
    const QString sharedPicture = QStringLiteral("<zet_imagelist>").repeated(nested)
        + test::element("Image-File", test::gif3x2(1)) + "</zet_imagelist>";
    EXPECT_EQ(test::loaded(sharedPicture).images.size(), nested);
    EXPECT_EQ(test::errorNumber([&] {
        test::loaded(QStringLiteral("<zet_object><Valore>").repeated(nested) + "</Valore></zet_object>");
    }),
        Error::kOutOfMemory);
}
