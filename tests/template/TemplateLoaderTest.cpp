#include "template/TemplateLoader.h"
#include "template/BandTable.h"

#include "TemplateTestHelpers.h"

#include <gtest/gtest.h>

namespace zet {
namespace {

using test::element;
using test::elements;
using test::loaded;

QString object(std::initializer_list<std::pair<QString, QString>> keys)
{
    return element(QStringLiteral("zet_object"), elements(keys));
}

QString image(const QString &id, const QString &fileText)
{
    return element(
        QStringLiteral("zet_imagelist"), elements({ { "Image-ID", id }, { "Image-File", fileText } }));
}

QString gifText(QRgb colour)
{
    return test::asTemplateText(test::handMadeGif(1, 1, { colour }, { 0 }));
}

TEST(LoadTemplate, ReadsVersionStructureAndPageKeys)
{
    const ReportDocument document
        = loaded(elements({ { "ZETVersion", "1" }, { "ZET_RecordsetStruct", "<R0>\r\n\t<N0>A B</N0>\n</R0>" },
            { "Nome", " Fatture " }, { "Altezza", "12,5" }, { "Larghezza", "&H10" }, { "Griglia", "120" },
            { "MargineDestro", "1" }, { "MargineInferiore", "2" }, { "MargineSinistro", "3" },
            { "MargineSuperiore", "4" }, { "ZETCorr.ModelloFonteDati", "<x>modello</x>" },
            { "SezioniColorate", "FALSO" }, { "VisualizzaGriglia", "No" }, { "VisualizzaMargini", "-1" } }));
    EXPECT_EQ(document.templateVersion, 1);
    // Line breaks and tabs are dropped from the structure.
    EXPECT_EQ(document.recordsetStruct, QStringLiteral("<R0><N0>A B</N0></R0>"));
    EXPECT_EQ((QStringList { document.reportName, document.dataSourceModel }),
        (QStringList { " Fatture ", "<x>modello</x>" }));
    EXPECT_EQ((QList<double> { document.pageHeight, document.pageWidth, document.gridStep,
                  document.marginRight, document.marginBottom, document.marginLeft, document.marginTop }),
        (QList<double> { 12, 16, 120, 1, 2, 3, 4 }));
    EXPECT_EQ((QList<bool> { document.colouredSections, document.showGrid, document.showMargins }),
        (QList<bool> { false, true, true }));
}

// Page keys are looked up in the whole template, so an object written before
// them gives its own.
TEST(LoadTemplate, PageKeysAfterTheFirstObjectComeFromThatObject)
{
    const ReportDocument document
        = loaded(object({ { "Nome", "Etichetta1" }, { "Altezza", "300" } }) + element("Larghezza", "11000"));
    EXPECT_EQ(document.reportName, QStringLiteral("Etichetta1"));
    EXPECT_EQ(document.pageHeight, 300);
    EXPECT_EQ(document.pageWidth, 11000);
}

TEST(LoadTemplate, ReadsEveryObjectKey)
{
    const ReportDocument document = loaded(object({ { "ZETe_ControlType", "4" }, { "Nome", "Totale" },
        { "Sinistra", "100.5" }, { "Alto", "2300" }, { "Larghezza", "1500" }, { "Altezza", "250" },
        { "ZOrder", "2.5" }, { "Stampa", "-1" }, { "AdattaAControllo", "1" }, { "AdattaAImmagine", "0" },
        { "Allineamento", "1" }, { "Bordo", "True" }, { "ColoreBordo", "255" },
        { "ColoreSfondo", "&HFFFFFF" }, { "ColoreTesto", "16711680" }, { "FonteDati", "Importo" },
        { "Immagine", "logo" }, { "SfondoTrasparente", "false" }, { "Stile", "3" }, { "Valore", " 12 " },
        { "Font", elements({ { "Name", "Arial" }, { "Size", "10" } }) } }));
    ASSERT_EQ(document.objects.size(), 1);
    const ReportObject &o = document.objects[0];
    EXPECT_EQ((QList<double> { double(o.controlType), o.left, o.top, o.width, o.height, double(o.zOrder),
                  double(o.alignment), double(o.borderColour), double(o.backColour), double(o.textColour),
                  double(o.style) }),
        (QList<double> { 4, 100.5, 2300, 1500, 250, 2, 1, 255, 16777215, 16711680, 3 }));
    EXPECT_EQ((QList<bool> { o.printable, o.fitToControl, o.fitToImage, o.border, o.transparentBack }),
        (QList<bool> { true, true, false, true, false }));
    EXPECT_EQ((QStringList { o.name, o.dataSource, o.imageId, o.value, o.loadedValue }),
        (QStringList { "Totale", "Importo", "logo", " 12 ", " 12 " }));
    ASSERT_TRUE(o.font.has_value());
    EXPECT_EQ(o.font->name, QStringLiteral("Arial"));
    EXPECT_TRUE(document.hasFramedFields);
}

// "[NULL]" in any case is no data source; an empty "Font" is no font.
TEST(LoadTemplate, NullDataSourceAndEmptyFontReadAsNone)
{
    const ReportDocument document = loaded(
        object({ { "FonteDati", "[null]" }, { "Font", "" } }) + object({ { "FonteDati", "[NULL] " } }));
    ASSERT_EQ(document.objects.size(), 2);
    EXPECT_EQ((QStringList { document.objects[0].dataSource, document.objects[1].dataSource }),
        (QStringList { "", "[NULL] " }));
    EXPECT_FALSE(document.objects[0].font.has_value());
    EXPECT_FALSE(document.hasFramedFields);
}

// Bands with heights: top margin 0..100, page header 325..625, body 1765..1965.
QString threeBands()
{
    return elements({ { "MargineSuperiore", "100" }, { "InizioPagina", "1" },
        { "AltezzaInizioPagina", "300" }, { "CorpoDati", "1" }, { "AltezzaCorpoDati", "200" } });
}

TEST(LoadTemplate, ObjectsBelongToTheFirstVisibleBandTheyTouch)
{
    const std::tuple<const char *, const char *, int, double> cases[] = {
        // top, height, band, top in band
        { "400", "100", kSlotPageHeader, 75 }, // inside the page header
        { "325", "10", kSlotPageHeader, 0 }, // top on the band's top edge
        { "625", "10", kSlotPageHeader, 300 }, // top on the band's bottom edge
        { "1755", "10", kSlotBody, -10 }, // bottom on the band's top edge
        { "600", "1200", kSlotPageHeader, 275 }, // straddling two bands: the upper one
        { "300", "350", kSlotPageHeader, -25 }, // covering a whole band
        { "700", "100", -1, 0 }, // lying in a strip only
        { "910", "0", -1, 0 }, // where the absent report header would be
    };

    QString text = threeBands();
    for (const auto &[top, height, band, topInBand] : cases)
        text += object({ { "Alto", top }, { "Altezza", height } });
    const ReportDocument document = loaded(text);
    for (int i = 0; i < int(std::size(cases)); ++i) {
        EXPECT_EQ(document.objects[i].bandIndex, std::get<2>(cases[i])) << "object " << i;
        EXPECT_EQ(document.objects[i].topInBand, std::get<3>(cases[i])) << "object " << i;
    }
    EXPECT_EQ(document.bands[kSlotPageHeader].objectIndexes, (QList<int> { 0, 1, 2, 4, 5 }));
    EXPECT_EQ(document.bands[kSlotBody].objectIndexes, (QList<int> { 3 }));
}

// An image that cannot be decoded leaves no entry: the next one takes its
// index.
TEST(LoadTemplate, PicturesBindToTheFirstDecodedImageWithTheirIdIgnoringCase)
{
    const ReportDocument document = loaded(image("x", QStringLiteral("not a picture"))
        + image("Logo", gifText(qRgb(1, 0, 0))) + image("LOGO", gifText(qRgb(2, 0, 0)))
        + image("firma", gifText(qRgb(3, 0, 0))) + image("y", QStringLiteral("GIF89a"))
        + object({ { "ZETe_ControlType", "2" }, { "Immagine", "logo" } })
        + object({ { "ZETe_ControlType", "3" }, { "Immagine", "FIRMA" }, { "FonteDati", "Campo" } })
        + object({ { "ZETe_ControlType", "3" }, { "Immagine", "nessuna" } })
        + object({ { "ZETe_ControlType", "5" }, { "Immagine", "firma" } })
        + object({ { "ZETe_ControlType", "2" }, { "Immagine", "firma" }, { "Alto", "-9000" } }));
    ASSERT_EQ(document.images.size(), 3);
    EXPECT_EQ(document.images[0].id, QStringLiteral("Logo"));
    EXPECT_EQ(document.images[2].fileData, gifText(qRgb(3, 0, 0)));
    const int expected[] = {
        0, // the first of the two equal ids
        2, // a data-bound picture naming an image still binds
        0, // an unknown id keeps the first entry
        0, // not a picture
        2, // outside every band
    };
    for (int i = 0; i < int(std::size(expected)); ++i)
        EXPECT_EQ(document.objects[i].imageIndex, expected[i]) << "object " << i;
}

TEST(LoadTemplate, LoadingAgainReplacesTheTemplate)
{
    ReportDocument document;
    loadTemplate(document, image("a", gifText(qRgb(1, 1, 1))) + object({ { "Nome", "uno" } }) + threeBands());
    loadTemplate(document, object({ { "Nome", "due" } }));
    EXPECT_TRUE(document.images.isEmpty());
    ASSERT_EQ(document.objects.size(), 1);
    EXPECT_EQ(document.objects[0].name, QStringLiteral("due"));
    EXPECT_EQ(document.bands[kSlotTopMargin].height, 0);
}

} // namespace
} // namespace zet
