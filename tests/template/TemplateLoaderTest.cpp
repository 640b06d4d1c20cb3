#include "template/BandTable.h"

#include "TemplateTestHelpers.h"

#include <gtest/gtest.h>

using namespace zet;
using namespace zet::test;

namespace {

QString object(std::initializer_list<std::pair<QString, QString>> keys)
{
    return element(QStringLiteral("zet_object"), elements(keys));
}

} // namespace

// Page keys are read from the whole text, even inside an object; the structure drops control characters.
TEST(LoadTemplate, ReadsStructureAndPageKeysFromTheWholeText)
{
    const ReportDocument document = loaded(object({ { "Nome", "Etichetta1" }, { "Altezza", "300" } })
        + elements({ { "ZET_RecordsetStruct", "<R0>\r\n\t<N0>A B</N0>\n</R0>" }, { "Larghezza", "&H10" } }));
    EXPECT_EQ((QStringList { document.recordsetStruct, document.reportName }),
        (QStringList { "<R0><N0>A B</N0></R0>", "Etichetta1" }));
    EXPECT_EQ((QList<double> { document.pageHeight, document.pageWidth }), (QList<double> { 300, 16 }));
}

TEST(LoadTemplate, ReadsEveryObjectKey)
{
    const ReportDocument document = loaded(object({ { "ZETe_ControlType", "4" }, { "Nome", "Totale" },
        { "Sinistra", "100.5" }, { "Alto", "2300" }, { "Larghezza", "1500" }, { "Altezza", "250" },
        { "ZOrder", "2.5" }, { "Stampa", "-1" }, { "AdattaAControllo", "1" }, { "AdattaAImmagine", "0" },
        { "Allineamento", "1" }, { "Bordo", "True" }, { "ColoreBordo", "255" },
        { "ColoreSfondo", "&HFFFFFF" }, { "ColoreTesto", "16711680" }, { "FonteDati", "Importo" },
        { "Immagine", "logo" }, { "SfondoTrasparente", "false" }, { "Stile", "3" }, { "Valore", " 12 " },
        { "Font",
            elements({ { "Charset", "238" }, { "Italic", "True" }, { "Name", "Courier New" },
                { "Size", "9,75" }, { "Strikethrough", "1" }, { "Underline", "falso" } }) } }));
    const ReportObject &o = document.objects.at(0);
    EXPECT_EQ((QList<double> { double(o.controlType), o.left, o.top, o.width, o.height, double(o.zOrder),
                  double(o.alignment), double(o.borderColour), double(o.backColour), double(o.textColour),
                  double(o.style), double(o.font->charset), o.font->size }),
        (QList<double> { 4, 100.5, 2300, 1500, 250, 2, 1, 255, 16777215, 16711680, 3, 238, 9.75 }));
    EXPECT_EQ((QList<bool> { o.printable, o.fitToControl, o.fitToImage, o.border, o.transparentBack,
                  o.font->italic, o.font->strikethrough, o.font->underline, document.hasFramedFields }),
        (QList<bool> { true, true, false, true, false, true, true, false, true }));
    EXPECT_EQ((QStringList { o.name, o.dataSource, o.imageId, o.value, o.loadedValue, o.font->name }),
        (QStringList { "Totale", "Importo", "logo", " 12 ", " 12 ", "Courier New" }));
    // "[NULL]" in any letter case is no data source; an empty "Font" is no font.
    const ReportObject none = loaded(object({ { "FonteDati", "[null]" }, { "Font", "" } })).objects.at(0);
    EXPECT_TRUE(none.dataSource.isEmpty() && !none.font.has_value());
}

TEST(LoadTemplate, ObjectsBelongToTheFirstVisibleBandTheyTouch)
{
    // Margin 0..100, page header 325..625, body 1765..1965 in the designer's space.
    QString text = elements({ { "MargineSuperiore", "100" }, { "InizioPagina", "1" },
        { "AltezzaInizioPagina", "300" }, { "CorpoDati", "1" }, { "AltezzaCorpoDati", "200" } });
    const std::tuple<const char *, const char *, int, double> cases[] = {
        // top, height, band, top in band
        { "400", "100", kSlotPageHeader, 75 }, { "325", "10", kSlotPageHeader, 0 }, // on the band's top edge
        { "625", "10", kSlotPageHeader, 300 }, // top on the band's bottom edge
        { "1755", "10", kSlotBody, -10 }, // bottom on the band's top edge
        { "600", "1200", kSlotPageHeader, 275 }, // straddling two bands: the upper one
        { "300", "350", kSlotPageHeader, -25 }, // covering a whole band
        { "700", "100", -1, 0 }, // lying in a strip only
        { "910", "0", -1, 0 }, // where the absent report header would be
    };
    for (const auto &[top, height, band, topInBand] : cases)
        text += object({ { "Alto", top }, { "Altezza", height } });
    const ReportDocument document = loaded(text);
    for (int i = 0; i < int(std::size(cases)); ++i)
        EXPECT_EQ(std::pair(document.objects[i].bandIndex, document.objects[i].topInBand),
            std::pair(std::get<2>(cases[i]), std::get<3>(cases[i])))
            << "object " << i;
    EXPECT_EQ(document.bands[kSlotPageHeader].objectIndexes, (QList<int> { 0, 1, 2, 4, 5 }));
}

// An image that cannot be decoded leaves no entry: the next one takes its index.
TEST(LoadTemplate, PicturesBindToTheFirstDecodedImageWithTheirIdIgnoringCase)
{
    QString text;
    for (const auto &[id, file] : { std::pair { "x", QStringLiteral("GIF89a") }, { "Logo", gif3x2(1) },
             { "LOGO", gif3x2(2) }, { "firma", gif3x2(3) } })
        text += element("zet_imagelist", elements({ { "Image-ID", id }, { "Image-File", file } }));
    for (const auto &[type, id] :
        { std::pair { "2", "logo" }, { "3", "FIRMA" }, { "3", "nessuna" }, { "5", "firma" } })
        text += object({ { "ZETe_ControlType", type }, { "Immagine", id } }); // type 5 is no picture
    ReportDocument document = loaded(text);
    EXPECT_EQ(document.images.size(), 3);
    EXPECT_EQ(document.images.value(2).fileData, gif3x2(3));
    QList<int> bound;
    for (const ReportObject &object : document.objects)
        bound << object.imageIndex;
    EXPECT_EQ(bound, (QList<int> { 0, 2, 0, 0 }));
    loadTemplate(document, object({})); // loading again replaces the template
    EXPECT_TRUE(document.images.isEmpty());
    EXPECT_EQ(document.objects.size(), 1);
}

// An error names the key, its text (cut after 40 characters) and where the key stands.
TEST(LoadTemplate, ErrorsNameTheKeyItsTextAndWhereItStands)
{
    const std::pair<QString, QString> cases[] = {
        { object({ { "Nome", "Testo1" } }) + object({ { "Nome", "Testo2" }, { "ZOrder", "1e10" } }),
            R"(Overflow: ZOrder = "1e10" (oggetto 2 "Testo2" del modello))" },
        { object({ { "Sinistra", "1e999" + QString(45, u'0') } }),
            "Overflow: Sinistra = \"1e999" + QString(35, u'0') + "\u2026\" (oggetto 1 del modello)" },
        { object({ { "Font", element("Size", "12pt") } }),
            R"(Type mismatch: Size = "12pt" (Font dell'oggetto 1 del modello))" },
        { element("InterruzioneCorpoDati", "&H80000000"),
            R"(Overflow: InterruzioneCorpoDati = "&H80000000" (nel modello))" },
    };
    for (const auto &[text, message] : cases) {
        try {
            loaded(text);
            ADD_FAILURE() << "no error for " << text.toStdString();
        } catch (const Error &error) {
            EXPECT_EQ(error.message(), message);
        }
    }
}
