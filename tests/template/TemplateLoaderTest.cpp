#include "template/TemplateLoader.h"
#include "template/BandTable.h"

#include "TemplateTestHelpers.h"

#include <gtest/gtest.h>

using namespace zet;
using test::element;
using test::elements;
using test::loaded;

namespace {

QString object(std::initializer_list<std::pair<QString, QString>> keys)
{
    return element(QStringLiteral("zet_object"), elements(keys));
}

QString image(const QString &id, const QString &file)
{
    return element(QStringLiteral("zet_imagelist"), elements({ { "Image-ID", id }, { "Image-File", file } }));
}

// Margin 0..100, page header 325..625, body 1765..1965 in the designer's space.
const QString kThreeBands = elements({ { "MargineSuperiore", "100" }, { "InizioPagina", "1" },
    { "AltezzaInizioPagina", "300" }, { "CorpoDati", "1" }, { "AltezzaCorpoDati", "200" } });

} // namespace

// Page keys are looked up in the whole template, so an object written before them gives its own.
TEST(LoadTemplate, ReadsStructureAndPageKeysFromTheWholeText)
{
    const ReportDocument document = loaded(object({ { "Nome", "Etichetta1" }, { "Altezza", "300" } })
        + elements({ { "ZET_RecordsetStruct", "<R0>\r\n\t<N0>A B</N0>\n</R0>" }, { "Larghezza", "&H10" },
            { "MargineDestro", "12,5" }, { "ZETCorr.ModelloFonteDati", "<x/>" },
            { "VisualizzaGriglia", "No" } }));
    EXPECT_EQ(
        document.recordsetStruct, QStringLiteral("<R0><N0>A B</N0></R0>")); // control characters dropped
    EXPECT_EQ((QStringList { document.reportName, document.dataSourceModel }),
        (QStringList { "Etichetta1", "<x/>" }));
    EXPECT_EQ((QList<double> { document.pageHeight, document.pageWidth, document.marginRight }),
        (QList<double> { 300, 16, 12 }));
    EXPECT_TRUE(document.showGrid);
}

TEST(LoadTemplate, ReadsEveryObjectKey)
{
    const ReportDocument document = loaded(object({ { "ZETe_ControlType", "4" }, { "Nome", "Totale" },
        { "Sinistra", "100.5" }, { "Alto", "2300" }, { "Larghezza", "1500" }, { "Altezza", "250" },
        { "ZOrder", "2.5" }, { "Stampa", "-1" }, { "AdattaAControllo", "1" }, { "AdattaAImmagine", "0" },
        { "Allineamento", "1" }, { "Bordo", "True" }, { "ColoreBordo", "255" },
        { "ColoreSfondo", "&HFFFFFF" }, { "ColoreTesto", "16711680" }, { "FonteDati", "Importo" },
        { "Immagine", "logo" }, { "SfondoTrasparente", "false" }, { "Stile", "3" }, { "Valore", " 12 " },
        { "Font", element("Name", "Arial") } }));
    ASSERT_EQ(document.objects.size(), 1);
    const ReportObject &o = document.objects[0];
    EXPECT_EQ((QList<double> { double(o.controlType), o.left, o.top, o.width, o.height, double(o.zOrder),
                  double(o.alignment), double(o.borderColour), double(o.backColour), double(o.textColour),
                  double(o.style) }),
        (QList<double> { 4, 100.5, 2300, 1500, 250, 2, 1, 255, 16777215, 16711680, 3 }));
    EXPECT_EQ((QList<bool> { o.printable, o.fitToControl, o.fitToImage, o.border, o.transparentBack }),
        (QList<bool> { true, true, false, true, false }));
    EXPECT_EQ((QStringList { o.name, o.dataSource, o.imageId, o.value, o.loadedValue, o.font->name }),
        (QStringList { "Totale", "Importo", "logo", " 12 ", " 12 ", "Arial" }));
    EXPECT_TRUE(document.hasFramedFields);
    // "[NULL]" in any letter case is no data source; an empty "Font" is no font.
    const ReportDocument none = loaded(object({ { "FonteDati", "[null]" }, { "Font", "" } }));
    EXPECT_EQ(none.objects[0].dataSource, QString());
    EXPECT_FALSE(none.objects[0].font.has_value());
}

TEST(LoadTemplate, ObjectsBelongToTheFirstVisibleBandTheyTouch)
{
    const std::tuple<const char *, const char *, int, double> cases[] = { // top, height, band, top in band
        { "400", "100", kSlotPageHeader, 75 }, { "325", "10", kSlotPageHeader, 0 }, // on the band's top edge
        { "625", "10", kSlotPageHeader, 300 }, // top on the band's bottom edge
        { "1755", "10", kSlotBody, -10 }, // bottom on the band's top edge
        { "600", "1200", kSlotPageHeader, 275 }, // straddling two bands: the upper one
        { "300", "350", kSlotPageHeader, -25 }, // covering a whole band
        { "700", "100", -1, 0 }, // lying in a strip only
        { "910", "0", -1, 0 }
    }; // where the absent report header would be
    QString text = kThreeBands;
    for (const auto &[top, height, band, topInBand] : cases)
        text += object({ { "Alto", top }, { "Altezza", height } });
    const ReportDocument document = loaded(text);
    for (int i = 0; i < int(std::size(cases)); ++i) {
        EXPECT_EQ(document.objects[i].bandIndex, std::get<2>(cases[i])) << "object " << i;
        EXPECT_EQ(document.objects[i].topInBand, std::get<3>(cases[i])) << "object " << i;
    }
    EXPECT_EQ(document.bands[kSlotPageHeader].objectIndexes, (QList<int> { 0, 1, 2, 4, 5 }));
}

// An image that cannot be decoded leaves no entry: the next one takes its index.
TEST(LoadTemplate, PicturesBindToTheFirstDecodedImageWithTheirIdIgnoringCase)
{
    const ReportDocument document = loaded(image("x", QStringLiteral("not a picture"))
        + image("Logo", test::gif3x2(1)) + image("LOGO", test::gif3x2(2)) + image("firma", test::gif3x2(3))
        + object({ { "ZETe_ControlType", "2" }, { "Immagine", "logo" } })
        + object({ { "ZETe_ControlType", "3" }, { "Immagine", "FIRMA" }, { "FonteDati", "Campo" } })
        + object({ { "ZETe_ControlType", "3" }, { "Immagine", "nessuna" } })
        + object({ { "ZETe_ControlType", "5" }, { "Immagine", "firma" } })); // not a picture
    ASSERT_EQ(document.images.size(), 3);
    EXPECT_EQ(document.images[2].fileData, test::gif3x2(3));
    QList<int> bound;
    for (const ReportObject &object : document.objects)
        bound << object.imageIndex;
    EXPECT_EQ(bound, (QList<int> { 0, 2, 0, 0 }));
    ReportDocument again = document; // loading again replaces the template
    loadTemplate(again, object({}));
    EXPECT_TRUE(again.images.isEmpty());
    EXPECT_EQ(again.objects.size(), 1);
}
