#include "template/TemplateLoader.h"
#include "template/BandTable.h"

#include "TemplateText.h"
#include "TestImages.h"
#include "xml/ElementReader.h"
#include "zetview/Error.h"

#include <gtest/gtest.h>

namespace zet {
namespace {

using test::element;
using test::elements;

ReportDocument loaded(const QString &templateText)
{
    ReportDocument document;
    LoadTemplate(document, templateText);
    return document;
}

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

TEST(LoadTemplate, EmptyTemplateGivesAnEmptyPage)
{
    const ReportDocument document = loaded(QString());
    EXPECT_EQ(document.TemplateVersion, 0);
    EXPECT_TRUE(document.RecordsetStruct.isEmpty());
    EXPECT_TRUE(document.ReportName.isEmpty());
    EXPECT_EQ(document.PageHeight, 0);
    EXPECT_EQ(document.PageWidth, 0);
    EXPECT_FALSE(document.ShowGrid);
    EXPECT_TRUE(document.Objects.isEmpty());
    EXPECT_TRUE(document.Images.isEmpty());
    EXPECT_FALSE(document.HasFramedFields);
}

TEST(LoadTemplate, ReadsVersionStructureAndPageKeys)
{
    const ReportDocument document = loaded(elements({
        { "ZETVersion", "1" },
        { "ZET_RecordsetStruct",
            "<RecordsetStruct0>\r\n\t<RecordsetStructName0>A B</RecordsetStructName0>\n"
            "</RecordsetStruct0>" },
        { "Nome", " Fatture " },
        { "Altezza", "12,5" },
        { "Larghezza", "&H10" },
        { "Griglia", "120" },
        { "MargineDestro", "1" },
        { "MargineInferiore", "2" },
        { "MargineSinistro", "3" },
        { "MargineSuperiore", "4" },
        { "ZETCorr.ModelloFonteDati", "<x>modello</x>" },
        { "SezioniColorate", "FALSO" },
        { "VisualizzaGriglia", "No" },
        { "VisualizzaMargini", "-1" },
    }));
    EXPECT_EQ(document.TemplateVersion, 1);
    EXPECT_EQ(document.RecordsetStruct,
        QStringLiteral(
            "<RecordsetStruct0><RecordsetStructName0>A B</RecordsetStructName0></RecordsetStruct0>"));
    EXPECT_EQ(document.ReportName, QStringLiteral(" Fatture "));
    EXPECT_EQ(document.PageHeight, 12);
    EXPECT_EQ(document.PageWidth, 16);
    EXPECT_EQ(document.GridStep, 120);
    EXPECT_EQ(document.MarginRight, 1);
    EXPECT_EQ(document.MarginBottom, 2);
    EXPECT_EQ(document.MarginLeft, 3);
    EXPECT_EQ(document.MarginTop, 4);
    EXPECT_EQ(document.DataSourceModel, QStringLiteral("<x>modello</x>"));
    EXPECT_FALSE(document.ColouredSections);
    EXPECT_TRUE(document.ShowGrid);
    EXPECT_TRUE(document.ShowMargins);
}

TEST(LoadTemplate, PageKeysAfterTheFirstObjectComeFromThatObject)
{
    const ReportDocument document
        = loaded(object({ { "Nome", "Etichetta1" }, { "Altezza", "300" } }) + element("Larghezza", "11000"));
    EXPECT_EQ(document.ReportName, QStringLiteral("Etichetta1"));
    EXPECT_EQ(document.PageHeight, 300);
    EXPECT_EQ(document.PageWidth, 11000);
}

TEST(LoadTemplate, ReadsEveryObjectKey)
{
    const ReportDocument document = loaded(object({
        { "ZETe_ControlType", "4" },
        { "Nome", "Totale" },
        { "Sinistra", "100.5" },
        { "Alto", "2300" },
        { "Larghezza", "1500" },
        { "Altezza", "255" },
        { "ZOrder", "2.5" },
        { "Stampa", "-1" },
        { "AdattaAControllo", "1" },
        { "AdattaAImmagine", "0" },
        { "Allineamento", "2" },
        { "Bordo", "True" },
        { "ColoreBordo", "255" },
        { "ColoreSfondo", "&HFFFFFF" },
        { "ColoreTesto", "16711680" },
        { "FonteDati", "Importo" },
        { "Immagine", "logo" },
        { "SfondoTrasparente", "false" },
        { "Stile", "3" },
        { "Valore", " 12 " },
        { "Font", elements({ { "Name", "Arial" }, { "Size", "10" } }) },
    }));
    ASSERT_EQ(document.Objects.size(), 1);
    const ReportObject &o = document.Objects[0];
    EXPECT_EQ(o.ControlType, 4);
    EXPECT_EQ(o.Name, QStringLiteral("Totale"));
    EXPECT_EQ(o.Left, 100.5);
    EXPECT_EQ(o.Top, 2300);
    EXPECT_EQ(o.Width, 1500);
    EXPECT_EQ(o.Height, 255);
    EXPECT_EQ(o.ZOrder, 2);
    EXPECT_TRUE(o.Printable);
    EXPECT_TRUE(o.FitToControl);
    EXPECT_FALSE(o.FitToImage);
    EXPECT_EQ(o.Alignment, 2);
    EXPECT_TRUE(o.Border);
    EXPECT_EQ(o.BorderColour, 255);
    EXPECT_EQ(o.BackColour, 16777215);
    EXPECT_EQ(o.TextColour, 16711680);
    EXPECT_EQ(o.DataSource, QStringLiteral("Importo"));
    EXPECT_EQ(o.ImageId, QStringLiteral("logo"));
    EXPECT_FALSE(o.TransparentBack);
    EXPECT_EQ(o.Style, 3);
    EXPECT_EQ(o.Value, QStringLiteral(" 12 "));
    EXPECT_EQ(o.LoadedValue, o.Value);
    ASSERT_TRUE(o.Font.has_value());
    EXPECT_EQ(o.Font->Name, QStringLiteral("Arial"));
    EXPECT_EQ(o.Font->Size, 10);
    EXPECT_TRUE(document.HasFramedFields);
}

TEST(LoadTemplate, NullDataSourceAndMissingFontReadAsEmpty)
{
    const ReportDocument document = loaded(object({ { "FonteDati", "[null]" }, { "ZETe_ControlType", "5" } })
        + object({ { "FonteDati", "[NULL] " }, { "Font", "" } }));
    ASSERT_EQ(document.Objects.size(), 2);
    EXPECT_TRUE(document.Objects[0].DataSource.isEmpty());
    EXPECT_FALSE(document.Objects[0].Font.has_value());
    EXPECT_EQ(document.Objects[1].DataSource, QStringLiteral("[NULL] "));
    EXPECT_FALSE(document.Objects[1].Font.has_value());
    EXPECT_FALSE(document.HasFramedFields);
}

// Bands with heights: top margin 0..100, page header 325..625, body 1765..1965.
QString threeBands()
{
    return elements({ { "MargineSuperiore", "100" }, { "InizioPagina", "1" },
        { "AltezzaInizioPagina", "300" }, { "CorpoDati", "1" }, { "AltezzaCorpoDati", "200" } });
}

TEST(LoadTemplate, ObjectsBelongToTheFirstVisibleBandTheyTouch)
{
    const struct
    {
        const char *what;
        const char *top;
        const char *height;
        int band;
        double topInBand;
    } cases[] = {
        { "inside the page header", "400", "100", kSlotPageHeader, 75 },
        { "top on the band's top edge", "325", "10", kSlotPageHeader, 0 },
        { "bottom on the band's top edge", "1755", "10", kSlotBody, -10 },
        { "straddling the strip", "600", "400", kSlotPageHeader, 275 },
        { "covering a whole band", "300", "350", kSlotPageHeader, -25 },
        { "lying in a strip only", "700", "100", -1, 0 },
        { "above everything", "-500", "100", -1, 0 },
        { "in the invisible report header's place", "910", "0", -1, 0 },
    };
    QString text = threeBands();
    for (const auto &c : cases)
        text += object({ { "Alto", c.top }, { "Altezza", c.height } });
    const ReportDocument document = loaded(text);
    for (int i = 0; i < int(std::size(cases)); ++i) {
        SCOPED_TRACE(cases[i].what);
        EXPECT_EQ(document.Objects[i].BandIndex, cases[i].band);
        EXPECT_EQ(document.Objects[i].TopInBand, cases[i].topInBand);
    }
    EXPECT_EQ(document.Bands[kSlotPageHeader].ObjectIndexes, (QList<int> { 0, 1, 3, 4 }));
    EXPECT_EQ(document.Bands[kSlotBody].ObjectIndexes, (QList<int> { 2 }));
    EXPECT_TRUE(document.Bands[kSlotTopMargin].ObjectIndexes.isEmpty());
}

TEST(LoadTemplate, PicturesBindToTheFirstImageWithTheirIdIgnoringCase)
{
    const QString text = image("Logo", gifText(qRgb(1, 0, 0))) + image("LOGO", gifText(qRgb(2, 0, 0)))
        + image("firma", gifText(qRgb(3, 0, 0)))
        + object({ { "ZETe_ControlType", "2" }, { "Immagine", "logo" } })
        + object({ { "ZETe_ControlType", "3" }, { "Immagine", "FIRMA" }, { "FonteDati", "Campo" } })
        + object({ { "ZETe_ControlType", "3" }, { "Immagine", "nessuna" } })
        + object({ { "ZETe_ControlType", "5" }, { "Immagine", "firma" } })
        + object({ { "ZETe_ControlType", "2" }, { "FonteDati", "Campo" }, { "Alto", "-9000" } });
    const ReportDocument document = loaded(text);
    ASSERT_EQ(document.Images.size(), 3);
    EXPECT_EQ(document.Images[1].Id, QStringLiteral("LOGO"));
    EXPECT_EQ(document.Objects[0].ImageIndex, 0);
    EXPECT_EQ(document.Objects[1].ImageIndex, 2); // a data-bound picture with an id still binds
    EXPECT_EQ(document.Objects[2].ImageIndex, 0); // unknown id: the first entry
    EXPECT_EQ(document.Objects[3].ImageIndex, 0); // not a picture
    EXPECT_EQ(document.Objects[4].ImageIndex, 0);
    EXPECT_EQ(document.Objects[4].BandIndex, -1);
}

TEST(LoadTemplate, UndecodableImagesLeaveNoEntry)
{
    const QString text = image("a", QStringLiteral("not a picture")) + image("b", gifText(qRgb(9, 9, 9)))
        + image("c", test::asTemplateText(test::encoded(test::filled(2, 2, qRgb(1, 2, 3)), "PNG")))
        + image("d", gifText(qRgb(7, 7, 7))) + object({ { "ZETe_ControlType", "2" }, { "Immagine", "d" } })
        + object({ { "ZETe_ControlType", "2" }, { "Immagine", "a" } });
    const ReportDocument document = loaded(text);
    ASSERT_EQ(document.Images.size(), 2);
    EXPECT_EQ(document.Images[0].Id, QStringLiteral("b"));
    EXPECT_EQ(document.Images[1].Id, QStringLiteral("d"));
    EXPECT_EQ(document.Images[1].FileData, gifText(qRgb(7, 7, 7)));
    EXPECT_EQ(document.Objects[0].ImageIndex, 1);
    EXPECT_EQ(document.Objects[1].ImageIndex, 0);
}

TEST(LoadTemplate, LoadingAgainReplacesTheTemplate)
{
    ReportDocument document;
    LoadTemplate(document, image("a", gifText(qRgb(1, 1, 1))) + object({ { "Nome", "uno" } }) + threeBands());
    LoadTemplate(document, object({ { "Nome", "due" } }));
    EXPECT_TRUE(document.Images.isEmpty());
    ASSERT_EQ(document.Objects.size(), 1);
    EXPECT_EQ(document.Objects[0].Name, QStringLiteral("due"));
    EXPECT_EQ(document.Bands.size(), 12);
    EXPECT_EQ(document.Bands[kSlotTopMargin].Height, 0);
}

TEST(LoadTemplate, AFailedLoadLeavesNoCursorOpen)
{
    ReportDocument document;
    const QString text = object({ { "Nome", "a" } }) + object({ { "ZOrder", "1e20" } });
    try {
        LoadTemplate(document, text);
        FAIL() << "no error";
    } catch (const Error &error) {
        EXPECT_EQ(error.number(), 6);
    }
    EXPECT_EQ(CursorTableSize(), 0);
}

} // namespace
} // namespace zet
