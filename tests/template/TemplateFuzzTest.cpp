// Random, mutated, huge and pathologically nested templates through the
// loader: each load ends with a document or a zet::Error, never a crash or a
// hang, and what it builds is consistent.

#include "template/TemplateLoader.h"

#include "TemplateText.h"
#include "TestImages.h"
#include "xml/ElementReader.h"
#include "zetview/Error.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

namespace zet {
namespace {

using test::element;
using test::elements;

QString richTemplate()
{
    const QString gif
        = test::asTemplateText(test::handMadeGif(2, 2, { qRgb(255, 0, 0), qRgb(0, 0, 255) }, { 0, 1, 1, 0 }));
    const QString bmp = test::asTemplateText(test::encoded(test::filled(3, 2, qRgb(9, 8, 7)), "BMP"));
    return element("ZETVersion", "1")
        + elements({ { "Nome", "Prova" }, { "Altezza", "16838" }, { "Larghezza", "11906" },
            { "MargineSuperiore", "567" }, { "MargineInferiore", "567" }, { "InizioPagina", "-1" },
            { "AltezzaInizioPagina", "500" }, { "InizioGruppoDati", "1" },
            { "AltezzaInizioGruppoDati", "300" }, { "NuovaPaginaInizioGruppoDati", "1" },
            { "CorpoDati", "1" }, { "AltezzaCorpoDati", "255" }, { "ReplicaCorpoDati", "1" },
            { "FinePagina", "1" }, { "AltezzaFinePagina", "400" } })
        + element("ZET_RecordsetStruct",
            "<RecordsetStruct0><RecordsetStructName0>R</RecordsetStructName0>"
            "</RecordsetStruct0>")
        + element("zet_object",
            elements({ { "ZETe_ControlType", "5" }, { "Nome", "Titolo" }, { "Alto", "800" },
                { "Altezza", "200" }, { "Valore", "Fattura" },
                { "Font", elements({ { "Name", "Arial" }, { "Size", "12,5" }, { "Bold", "1" } }) } }))
        + element("zet_object",
            elements({ { "ZETe_ControlType", "2" }, { "Immagine", "logo" }, { "Alto", "1500" },
                { "Altezza", "100" } }))
        + element("zet_object",
            elements({ { "ZETe_ControlType", "4" }, { "FonteDati", "Importo" }, { "Alto", "2100" },
                { "Altezza", "255" }, { "ColoreSfondo", "&HFFFFFF" } }))
        + element("zet_imagelist", elements({ { "Image-ID", "logo" }, { "Image-File", gif } }))
        + element("zet_imagelist", elements({ { "Image-ID", "sfondo" }, { "Image-File", bmp } }));
}

// Every index the loader stored points into its list, and the two sides of
// the object-to-band binding agree.
void expectConsistent(const ReportDocument &document)
{
    EXPECT_EQ(CursorTableSize(), 0);
    ASSERT_TRUE(document.Bands.isEmpty() || document.Bands.size() == 12);
    for (int o = 0; o < document.Objects.size(); ++o) {
        const ReportObject &object = document.Objects[o];
        ASSERT_GE(object.BandIndex, -1);
        ASSERT_LT(object.BandIndex, document.Bands.size());
        if (object.BandIndex >= 0) {
            EXPECT_TRUE(document.Bands[object.BandIndex].Visible);
            EXPECT_TRUE(document.Bands[object.BandIndex].ObjectIndexes.contains(o));
        }
        EXPECT_TRUE(object.ImageIndex == 0 || object.ImageIndex < document.Images.size());
    }
    for (int b = 0; b < document.Bands.size(); ++b) {
        for (int o : document.Bands[b].ObjectIndexes)
            EXPECT_EQ(document.Objects.at(o).BandIndex, b);
    }
    for (const ImageEntry &image : document.Images) {
        EXPECT_FALSE(image.Surface.isNull());
        EXPECT_EQ(image.Surface.format(), QImage::Format_BGR888);
    }
}

// Loads the text; a zet::Error is an acceptable end, anything else fails.
// Returns the error number, 0 when the template loaded.
int loadAndCheck(const QString &text, ReportDocument &document)
{
    try {
        LoadTemplate(document, text);
    } catch (const Error &error) {
        EXPECT_GT(error.number(), 0);
        EXPECT_EQ(CursorTableSize(), 0);
        return error.number();
    }
    expectConsistent(document);
    return 0;
}

int loadAndCheck(const QString &text)
{
    ReportDocument document;
    return loadAndCheck(text, document);
}

QString mutated(const QString &text, QRandomGenerator &random)
{
    static const QStringList pieces = { "<", ">", "</", "<zet_object>", "</zet_object>", "<zet_imagelist>",
        "<Alto>", "</Alto>", "<Font>", "&H", "1e308", "-", "\r", "\u20AC", "<Size>" };
    QString result = text;
    const int edits = random.bounded(1, 6);
    for (int e = 0; e < edits && !result.isEmpty(); ++e) {
        const qsizetype at = random.bounded(result.size());
        const qsizetype length = std::min<qsizetype>(random.bounded(1, 40), result.size() - at);
        switch (random.bounded(5)) {
        case 0:
            result.remove(at, length);
            break;
        case 1:
            result.insert(at, result.mid(at, length));
            break;
        case 2:
            result.insert(at, pieces[random.bounded(int(pieces.size()))]);
            break;
        case 3:
            result[at] = QChar(char16_t(random.bounded(0x10000)));
            break;
        default:
            result.truncate(at);
            break;
        }
    }
    return result;
}

TEST(TemplateFuzz, MutatedTemplatesLoadOrFailCleanly)
{
    const QString base = richTemplate();
    {
        ReportDocument document;
        LoadTemplate(document, base);
        ASSERT_EQ(document.Images.size(), 2);
        ASSERT_EQ(document.Objects.size(), 3);
        expectConsistent(document);
    }
    QRandomGenerator random(20261206);
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        loadAndCheck(mutated(base, random));
    }
}

TEST(TemplateFuzz, RandomTextLoadsOrFailsCleanly)
{
    QRandomGenerator random(5);
    for (int round = 0; round < 100; ++round) {
        QString text(random.bounded(2000), Qt::Uninitialized);
        for (QChar &c : text)
            c = QChar(char16_t(random.bounded(2) ? random.bounded(0x10000) : random.bounded(32, 127)));
        loadAndCheck(text);
    }
}

TEST(TemplateFuzz, AbsurdShapesEndInAResultOrAnError)
{
    const QString huge(20 * 1024 * 1024, QLatin1Char('7'));
    const QString garbage = test::asTemplateText(QByteArray(5000, '\xAB'));
    const QByteArray gif = test::handMadeGif(30, 30, { qRgb(1, 2, 3), qRgb(4, 5, 6) }, QList<int>(900, 1));
    const struct
    {
        const char *what;
        QString text;
        int error; // 0: loads
        int objects;
        int images;
    } cases[] = {
        { "huge page measures",
            elements({ { "Altezza", "1e308" }, { "MargineSuperiore", "1e308" },
                { "MargineInferiore", "-1e308" }, { "CorpoDati", "1" }, { "AltezzaCorpoDati", "1e308" } }),
            0, 0, 0 },
        { "hexadecimal beyond 32 bits", element("zet_object", element("ZOrder", "&HFFFFFFFFF")), 6, 0, 0 },
        { "a 20 MB value", element("Nome", huge) + element("zet_object", element("Valore", huge)), 0, 1, 0 },
        { "a 20 MB number", element("Altezza", huge), 6, 0, 0 },
        { "10,000 nested objects",
            QStringLiteral("<zet_object>").repeated(10000) + element("Alto", "5")
                + QStringLiteral("</zet_object>").repeated(10000),
            0, 10000, 0 },
        { "10,000 objects without closing tags", QStringLiteral("<zet_object><Alto>1</Alto>").repeated(10000),
            0, 0, 0 },
        { "10,000 nested fonts",
            element("zet_object",
                QStringLiteral("<Font>").repeated(10000) + element("Size", "9") + QStringLiteral("</Font>")),
            0, 1, 0 },
        { "keys without closing tags", QStringLiteral("<Nome><Altezza><CorpoDati><zet_object><Alto>"), 0, 0,
            0 },
        { "image of random bytes",
            element("zet_imagelist", elements({ { "Image-ID", "a" }, { "Image-File", garbage } })), 0, 0, 0 },
        { "truncated GIF",
            element("zet_imagelist",
                elements({ { "Image-ID", "a" }, { "Image-File", test::asTemplateText(gif.left(60)) } })),
            0, 0, 1 }, // what arrived of it is decoded
        { "image bytes with characters above 255",
            element("zet_imagelist", element("Image-File", "GIF89a\u4E2D")), 0, 0, 0 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ReportDocument document;
        EXPECT_EQ(loadAndCheck(c.text, document), c.error);
        if (c.error == 0) {
            EXPECT_EQ(document.Objects.size(), c.objects);
            EXPECT_EQ(document.Images.size(), c.images);
        }
    }
}

} // namespace
} // namespace zet
