#include "template/TemplateLoader.h"
#include "support/TemplateText.h"
#include "support/TextMutation.h"
#include "template/BandTable.h"
#include "template/Conversions.h"
#include "template/ImageList.h"
#include "template/KeyReader.h"
#include "template/TemplateFont.h"
#include "xml/ElementCursor.h"
#include "xml/ElementReader.h"

#include <QBuffer>
#include <gtest/gtest.h>

using namespace zet;
using namespace zet::test;

namespace {

ReportDocument loaded(const QString &templateText)
{
    ReportDocument document;
    loadTemplate(document, templateText);
    return document;
}

QString object(std::initializer_list<std::pair<QString, QString>> keys)
{
    return element(u"zet_object"_s, elements(keys));
}

// A GIF of 3 x 2 pixels, rows of palette entries 0 1 2 and 2 1 0, one character per byte.
QString gif3x2(QRgb colour0, QRgb colour1 = 0, QRgb colour2 = 0)
{
    QByteArray gif("GIF89a\x03\0\x02\0\x81\0\0", 13); // a global table of 4 colours
    for (QRgb colour : { colour0, colour1, colour2, QRgb(0) })
        gif.append(char(qRed(colour))).append(char(qGreen(colour))).append(char(qBlue(colour)));
    // The image, 8-bit codes: clear, 0 1 2 2 1 0, end.
    static const char image[] = ",\0\0\0\0\x03\0\x02\0\0\x07\x08\x80\0\x01\x02\x02\x01\0\x81\0;";
    return QString::fromLatin1(gif.append(image, sizeof image - 1));
}

// Mutated, huge and deeply nested templates end in a document or a zet::Error, never a crash or a hang, and
// objects and bands agree on where each object belongs. Gives the objects loaded, -1 for an error.
qsizetype loadAndCheck(const QString &text)
{
    ReportDocument document;
    if (errorNumber([&] { loadTemplate(document, text); }) != 0)
        return -1;
    qsizetype bound = 0, listed = 0;
    for (const ReportObject &object : document.objects) {
        bound += object.bandIndex != -1;
        EXPECT_LT(object.imageIndex, std::max<qsizetype>(1, document.images.size()));
    }
    for (int b = 0; b < document.bands.size(); ++b) {
        listed += document.bands[b].objectIndexes.size();
        for (int o : document.bands[b].objectIndexes)
            EXPECT_EQ(document.objects.value(o).bandIndex, b) << "object " << o;
    }
    EXPECT_EQ(listed, bound);
    return document.objects.size();
}

} // namespace

TEST(ParseNumber, ReadsTheLeadingNumber)
{
    // Blanks are skipped anywhere (a carriage return is no blank); a comma ends the number; &H / &O are
    // unsigned; below the smallest double is 0; beyond the largest is error 6, never infinity.
    const std::tuple<QString, double, int> cases[] = { { QString(), 0, 0 }, { "12,5", 12, 0 },
        { "1.2.3", 1.2, 0 }, { "--7", 0, 0 }, { " - 1 2 . 5 e 1", -125, 0 }, { "12\r3", 12, 0 },
        { "1d-2", 0.01, 0 }, { "&hFFFFFFFFF", 68719476735.0, 0 }, { "&o178", 15, 0 }, { "1e-400", 0, 0 },
        { QString(5000, u'0') + "42", 42, 0 }, { "1." + QString(100000, u'5'), 1.5555555555555556, 0 },
        { "1e308", 1e308, 0 }, { "-1e309", 0, 6 }, { "&H" + QString(300, u'F'), 0, 6 } };
    for (const auto &[text, expected, error] : cases) {
        double value = 0;
        EXPECT_EQ(errorNumber([&] { value = parseNumber(text); }), error) << text.left(40).toStdString();
        EXPECT_DOUBLE_EQ(value, expected) << text.left(40).toStdString();
    }
    // Integers round halves to even within 32 bits.
    for (const auto &[text, expected, error] : { std::tuple { "0.5", 0, 0 }, { "1.5", 2, 0 },
             { "-2.5", -2, 0 }, { "2147483647.4", 2147483647, 0 }, { "-2147483648.5", -2147483648, 0 },
             { "2147483647.5", 0, 6 }, { "-2147483649", 0, 6 }, { "&HFFFFFFFF", 0, 6 } }) {
        int value = 0;
        EXPECT_EQ(errorNumber([&] { value = parseInteger(QString::fromLatin1(text)); }), error) << text;
        EXPECT_EQ(value, expected) << text;
    }
    // Booleans are false only for the false words.
    for (const char *text : { "", "0", "null", "NULL", "Falso", "false" })
        EXPECT_FALSE(parseBoolean(QString::fromLatin1(text))) << text;
    for (const char *text : { "1", "-1", "True", "No", " 0", "00", "false ", "nullo" })
        EXPECT_TRUE(parseBoolean(QString::fromLatin1(text))) << text;
}

// Bold sets the weight to 700 or 400; a Weight key, applied after it, wins.
TEST(ParseFont, WeightIsAppliedAfterBoldAndBadNumbersAreErrors)
{
    EXPECT_EQ(parseFont(u"<Unknown>1</Unknown>"_s), ReportFont());
    for (const auto &[bold, weight, expected] : { std::tuple { "1", "", 700 }, { "0", "", 400 },
             { "1", "400", 400 }, { "0", "600", 600 }, { "", "5000", 1000 }, { "1", "-3", 0 } })
        EXPECT_EQ(parseFont(elements({ { "Bold", bold }, { "Weight", weight } })).weight, expected)
            << bold << weight;
    for (const auto &[key, value, error] :
        { std::tuple { "Size", "12pt", Error::kTypeMismatch }, { "Size", "0", Error::kInvalidCall },
            { "Size", "1e300", Error::kOverflow }, { "Charset", "ANSI", Error::kTypeMismatch },
            { "Charset", "70000", Error::kOverflow }, { "Weight", "1e9", Error::kOverflow } })
        EXPECT_EQ(errorNumber([&] { parseFont(element(key, value)); }), error) << key << "=" << value;
}

TEST(PictureFromImageBytes, DecodesBitmapIconGifAndJpegIntoA24BitSurfaceAndNothingElse)
{
    QImage source(3, 2, QImage::Format_RGB32);
    source.fill(qRgb(250, 120, 10));
    const auto encoded = [&source](const char *format) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        source.save(&buffer, format);
        return QString::fromLatin1(bytes);
    };
    for (const QString &file :
        { encoded("BMP"), encoded("ICO"), encoded("JPEG"), gif3x2(qRgb(250, 120, 10)) }) {
        const QImage surface = pictureFromImageBytes(file);
        ASSERT_EQ(surface.format(), QImage::Format_BGR888) << file.left(4).toStdString();
        EXPECT_EQ(surface.size(), QSize(3, 2));
        const QRgb pixel = surface.pixel(0, 0);
        EXPECT_LE(
            std::abs(qRed(pixel) - 250) + std::abs(qGreen(pixel) - 120) + std::abs(qBlue(pixel) - 10), 12);
    }
    for (const QString &text : { QString(), encoded("PNG"), QString(4096, QChar(0x9c)), gif3x2(0).left(13),
             encoded("BMP") + QChar(0x20AC) })
        EXPECT_TRUE(pictureFromImageBytes(text).isNull()) << text.left(16).toStdString();
}

// Data levels of slots 4 to 8 (-1: not a data band) by which data bands are present.
TEST(BandTable, DataKindsAndLevelsFollowWhichDataBandsArePresent)
{
    const std::pair<const char *, QList<int>> cases[]
        = { { "", { -1, -1, -1, -1, -1 } }, { "<CorpoDati>-1</CorpoDati>", { -1, -1, 1, -1, -1 } },
              { "<InizioDati>1</InizioDati><CorpoDati>1</CorpoDati>", { -1, 1, 2, 1, -1 } },
              { "<FineDati>1</FineDati>", { -1, 1, 2, 1, -1 } },
              { "<FineGruppoDati>1</FineGruppoDati>", { 1, 2, 3, 2, 1 } } };
    for (const auto &[text, levels] : cases) {
        const ReportDocument document = loaded(QString::fromLatin1(text));
        QList<int> read;
        for (int slot = kSlotGroupHeader; slot <= kSlotGroupFooter; ++slot)
            read << (document.bands[slot].kind == BandKind::Data ? document.bands[slot].dataLevel : -1);
        EXPECT_EQ(read, levels) << text;
    }
}

TEST(BandTable, StacksOnlyVisibleHeightsAndSpacesTheDesignersBands)
{
    // The absent report header's height neither stacks nor moves the designer's bands.
    const QList<ReportBand> bands = loaded(
        elements({ { "MargineSuperiore", "500" }, { "MargineInferiore", "400" }, { "InizioPagina", "1" },
            { "AltezzaInizioPagina", "300" }, { "InizioReport", "falso" }, { "AltezzaInizioReport", "999" },
            { "CorpoDati", "vero" }, { "AltezzaCorpoDati", "250" }, { "FineDati", "1" },
            { "AltezzaFinePagina",
                "700" } })).bands;
    // slot, design top and bottom, stack top
    for (const auto &[slot, designTop, designBottom, stackTop] : { std::tuple { kSlotTopMargin, 0, 500, 0 },
             { kSlotPageHeader, 725, 1025, 500 }, { kSlotReportHeader, 1310, 1310, 0 },
             { kSlotBody, 2165, 2415, 800 }, { kSlotDataFooter, 2700, 2700, 1050 },
             { kSlotPageFooter, 3555, 3555, 0 }, { kSlotBottomMargin, 3840, 4240, 1050 } }) {
        const ReportBand &band = bands[slot];
        EXPECT_EQ((QList<double> { double(band.visible), band.designTop, band.designBottom, band.stackTop }),
            (QList<double> { double(stackTop > 0 || slot == kSlotTopMargin), double(designTop),
                double(designBottom), double(stackTop) }))
            << slot;
    }
}

TEST(BandTable, DataBandsLinkToNeighboursThatRepeatOnANewPage)
{
    const QList<ReportBand> bands = loaded(
        elements({ { "InizioGruppoDati", "1" }, { "NuovaPaginaInizioGruppoDati", "1" }, { "InizioDati", "1" },
            { "AltezzaInizioDati", "100" }, { "NuovaPaginaInizioDati", "2" }, { "CorpoDati", "1" },
            { "FineDati", "1" }, { "AltezzaFineDati", "40" }, { "NuovaPaginaFineDati", "1" },
            { "AltezzaFineGruppoDati", "70" }, { "NuovaPaginaFineGruppoDati", "1" } }))
                                        .bands;
    // The farthest band wins; the absent group footer is still a data band but gets no links of its own.
    const ReportBand &body = bands[kSlotBody], &group = bands[kSlotGroupHeader];
    EXPECT_EQ((QList<double> { double(body.linkPrev), double(body.linkNext), body.linkHeight,
                  double(group.linkPrev), group.linkHeight, double(bands[kSlotGroupFooter].linkPrev) }),
        (QList<double> { kSlotGroupHeader, kSlotGroupFooter, 110, -1, 210, -1 }));
}

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
    const std::tuple<const char *, const char *, int, double> cases[] = { // top, height, band, top in band
        { "400", "100", kSlotPageHeader, 75 }, { "325", "10", kSlotPageHeader, 0 }, // on the band's top edge
        { "625", "10", kSlotPageHeader, 300 }, // top on the band's bottom edge
        { "1755", "10", kSlotBody, -10 }, // bottom on the band's top edge
        { "600", "1200", kSlotPageHeader, 275 }, // straddling two bands: the upper one
        { "300", "350", kSlotPageHeader, -25 }, // covering a whole band
        { "700", "100", -1, 0 }, // lying in a strip only
        { "910", "0", -1, 0 }
    }; // where the absent report header would be
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
    for (const auto &[id, file] : { std::pair { "x", u"GIF89a"_s }, { "Logo", gif3x2(1) },
             { "LOGO", gif3x2(2) }, { "firma", gif3x2(3) } })
        text += element("zet_imagelist", elements({ { "Image-ID", id }, { "Image-File", file } }));
    for (const auto &[type, id] :
        { std::pair { "2", "logo" }, { "3", "FIRMA" }, { "3", "nessuna" }, { "5", "firma" } })
        text += object({ { "ZETe_ControlType", type }, { "Immagine", id } }); // type 5 is no picture
    ReportDocument document = loaded(text);
    QList<int> bound;
    for (const ReportObject &object : document.objects)
        bound << object.imageIndex;
    EXPECT_EQ(std::tuple(document.images.size(), document.images.value(2).fileData, bound),
        std::tuple(3, gif3x2(3), QList<int> { 0, 2, 0, 0 }));
    loadTemplate(document, object({})); // loading again replaces the template
    EXPECT_TRUE(document.images.isEmpty() && document.objects.size() == 1);
}

// An error names the key, its text (cut after 40 characters) and where the key stands.
TEST(LoadTemplate, ErrorsNameTheKeyItsTextAndWhereItStands)
{
    const std::pair<QString, std::string> cases[] = {
        { object({ { "Nome", "Testo1" } }) + object({ { "Nome", "Testo2" }, { "ZOrder", "1e10" } }),
            R"(6: Overflow: ZOrder = "1e10" (oggetto 2 "Testo2" del modello))" },
        { object({ { "Sinistra", "1e999" + QString(45, u'0') } }),
            "6: Overflow: Sinistra = \"1e999" + std::string(35, '0') + "\u2026\" (oggetto 1 del modello)" },
        { object({ { "Font", element("Size", "12pt") } }),
            R"(13: Type mismatch: Size = "12pt" (Font dell'oggetto 1 del modello))" },
        { element("InterruzioneCorpoDati", "&H80000000"),
            R"(6: Overflow: InterruzioneCorpoDati = "&H80000000" (nel modello))" }
    };
    for (const auto &[text, message] : cases)
        EXPECT_EQ(errorText([&] { loaded(text); }), message);
}

TEST(TemplateFuzz, MutatedHugeAndDeeplyNestedTemplatesLoadOrFailCleanly)
{
    const QString base = u"<ZETVersion>1</ZETVersion><MargineSuperiore>567</MargineSuperiore><InizioPagina>-1"
                         "</InizioPagina><AltezzaInizioPagina>500</AltezzaInizioPagina><InizioGruppoDati>1"
                         "</InizioGruppoDati><CorpoDati>1</CorpoDati>"_s
        + object({ { "Alto", "800" }, { "Font", element("Size", "12,5") } })
        + object({ { "ZETe_ControlType", "2" }, { "Immagine", "logo" }, { "Alto", "800" } })
        + element("zet_imagelist", elements({ { "Image-ID", "logo" }, { "Image-File", gif3x2(1, 2) } }));
    ASSERT_EQ(loadAndCheck(base), 2);
    ASSERT_EQ(loaded(base).images.size(), 1);
    const QStringList pieces = { "<", ">", "</", "<zet_object>", "</zet_object>", "<zet_imagelist>", "<Alto>",
        "</Alto>", "<Font>", "&H", "1e308", "-", "\r", "\u20AC", "<Size>" };
    QRandomGenerator random(20261206);
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        loadAndCheck(mutateText(base, random, pieces));
    }
    const QString huge(20 * 1024 * 1024, u'7');
    EXPECT_EQ(loadAndCheck(element("Nome", huge) + object({ { "Valore", huge } })), 1);
    // Nested elements each run to the first closing tag after them: their keys are read once for all,
    // a picture they share is decoded once, and values that would overlap beyond memory are refused.
    const int nested = 100000;
    EXPECT_EQ(loadAndCheck(u"<zet_object>"_s.repeated(nested) + "</zet_object>"), nested);
    EXPECT_EQ(loadAndCheck(u"<zet_object><Font>"_s.repeated(nested) + "<Size>9</Size></Font></zet_object>"),
        nested);
    EXPECT_EQ(
        loaded(u"<zet_imagelist>"_s.repeated(nested) + element("Image-File", gif3x2(1)) + "</zet_imagelist>")
            .images.size(),
        nested);
    EXPECT_EQ(
        errorNumber([&] { loaded(u"<zet_object><Valore>"_s.repeated(nested) + "</Valore></zet_object>"); }),
        Error::kOutOfMemory);
}

// Random texts of tags in several letter cases, broken tags and text: keys read as the element lookup reads
// them, in the whole text and in any part that starts after a '>' and ends at a '<'; elements come as an
// element cursor walks them.
TEST(KeyReader, GivesWhatTheElementLookupGives)
{
    const QLatin1String names[] = { QLatin1String("Nome"), QLatin1String("AltezzaCorpoDati"),
        QLatin1String("ReplicafineDati"), QLatin1String("Image-ID"), QLatin1String("x") };
    QStringList pieces = { "<", ">", "</", "valore", " ", "<<", "\u0130", "<Nomex>" };
    for (QLatin1String name : names)
        for (const QString &spelling : { QString(name), QString(name).toLower(), QString(name).toUpper() })
            pieces += { "<" + spelling + ">", "</" + spelling + ">", "<" + spelling, spelling + ">" };
    QRandomGenerator random(42);
    for (int round = 0; round < 3000; ++round) {
        QString text;
        for (int i = random.bounded(1, 16); i > 0; --i)
            text += pieces[random.bounded(int(pieces.size()))];
        const KeyReader reader(text, names);
        QList<qsizetype> begins = { 0 };
        QList<qsizetype> ends = { text.size() };
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text.at(i) == u'>')
                begins << i + 1;
            if (text.at(i) == u'<')
                ends << i;
        }
        const qsizetype begin = begins[random.bounded(int(begins.size()))];
        const qsizetype end = std::max(begin, ends[random.bounded(int(ends.size()))]);
        const QString part = text.mid(begin, end - begin);
        for (QLatin1String name : names) {
            ASSERT_EQ(reader.value(name), getElementValue(text, name))
                << text.toStdString() << " / " << name.data();
            ASSERT_EQ(reader.value(name, { begin, end }), getElementValue(part, name))
                << text.toStdString() << " [" << begin << ", " << end << ") / " << name.data();
            QStringList walked;
            for (ElementCursor cursor(text, name); !cursor.atEnd(); cursor.next())
                walked << cursor.current();
            QStringList parts;
            for (const KeyReader::Part element : reader.elements(name))
                parts << text.mid(element.begin, element.end - element.begin);
            ASSERT_EQ(parts, walked) << text.toStdString() << " / " << name.data();
        }
    }
}
