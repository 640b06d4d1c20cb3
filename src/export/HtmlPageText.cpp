#include "export/HtmlPageText.h"

#include "core/Rounding.h"
#include "core/Twips.h"

#include "export/BandPictures.h"
#include "layout/ObjectFrame.h"
#include "model/DocumentAccess.h"
#include "render/Placeholders.h"

#include <QStringList>
#include <QUrl>
#include <algorithm>

namespace zet {

namespace {

// The first line of every head: the files are written in UTF-8.
const QString kCharsetLine = QStringLiteral("<META charset='utf-8'>");
const QString kGeneratorLine = QStringLiteral("<META name='Generator' content='Tarvisol - ZETView'>");

// Lines indented by tabs, joined by CR LF with none after the last.
class HtmlLines
{
public:
    void add(int tabs, const QString &text) { lines_.append(QString(tabs, QLatin1Char('\t')) + text); }
    void addBlank() { lines_.append(QString()); }
    QString text() const { return lines_.join(QStringLiteral("\r\n")); }

private:
    QStringList lines_;
};

// Pixels for twips, rounded half to even.
int pixels(double twips)
{
    return roundHalfEven(twips / kTwipsPerPicturePixel);
}

// text for an attribute value in single quotes, or for element content.
QString escaped(const QString &text)
{
    return text.toHtmlEscaped().replace(QLatin1Char('\''), QStringLiteral("&#39;"));
}

// A quoted CSS string holding text, for an attribute value in single quotes.
QString cssString(QString text)
{
    text.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + escaped(text) + QLatin1Char('"');
}

// A point size in its shortest form with at most four decimals, "." as the
// decimal separator whatever the user's locale (CSS reads no other).
QString pointSize(double size)
{
    QString text = QString::number(size, 'f', 4);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text;
}

QString bandComment(const ReportBand &band)
{
    switch (band.kind) {
    case BandKind::TopMargin:
        return QStringLiteral("<!-- Margine alto -->");
    case BandKind::PageHeader:
        return QStringLiteral("<!-- Inizio pagina -->");
    case BandKind::ReportHeader:
        return QStringLiteral("<!-- Inizio report -->");
    case BandKind::Data:
        return QStringLiteral("<!-- Dati: %1 -->").arg(escaped(band.recordsetName));
    case BandKind::ReportFooter:
        return QStringLiteral("<!-- Fine report -->");
    case BandKind::PageFooter:
        return QStringLiteral("<!-- Fine pagina-->");
    case BandKind::BottomMargin:
        return QStringLiteral("<!-- Margine basso -->");
    case BandKind::Unused:
        break;
    }
    return QString();
}

QString alignmentStyle(TextAlignment alignment)
{
    switch (alignment) {
    case TextAlignment::Left:
        return QStringLiteral("text-align:left; ");
    case TextAlignment::Right:
        return QStringLiteral("text-align:right; ");
    case TextAlignment::Centre:
        return QStringLiteral("text-align:center; ");
    case TextAlignment::Justified:
        return QStringLiteral("text-align:justify; ");
    }
    return QString();
}

QString fontStyle(const ReportFont &font)
{
    return QStringLiteral("font-family:%1; font-size:%2pt; font-style:%3; font-weight:%4; ")
        .arg(cssString(font.name), pointSize(font.size),
            font.italic ? QStringLiteral("italic") : QStringLiteral("normal"),
            font.bold() ? QStringLiteral("700") : QStringLiteral("400"));
}

// The span of a text object of a band placed at bandTop twips, showing its Value.
QString textSpan(const ReportObject &object, int bandTop)
{
    const qint64 left = pixels(object.left);
    const qint64 top = pixels(bandTop + object.topInBand);
    const qint64 right = roundHalfEven(object.width / kTwipsPerPicturePixel + double(left));
    const qint64 bottom = roundHalfEven(object.height / kTwipsPerPicturePixel + double(top));

    QString style = QStringLiteral("Z-INDEX:2; ") + alignmentStyle(object.alignment);
    if (!object.transparentBack)
        style += QStringLiteral("background-color:#%1; ").arg(colourToHex(object.backColour));
    style += QStringLiteral("color:#%1; ").arg(colourToHex(object.textColour));
    style += fontStyle(object.font.value_or(ReportFont()));
    if (object.border && object.controlType == ControlType::Text)
        style += QStringLiteral("border:1px; border-style:solid; ");
    style += QStringLiteral("POSITION:Absolute; LEFT:%1px; TOP:%2px; HEIGHT:%3px; WIDTH:%4px; ")
                 .arg(left + 20)
                 .arg(top + 19)
                 .arg(bottom + 1 - top)
                 .arg(right - 2 - left);
    return QStringLiteral("<SPAN style='%1'> %2</SPAN>").arg(style, escaped(object.value));
}

// A placed band's comment, picture and text spans, after an empty line.
void addBandBlock(HtmlLines &lines, ReportDocument &document, int pageIndex, int placedBandIndex)
{
    const PlacedBand &placed = placedBandAt(document, pageIndex, placedBandIndex);
    const ReportBand &band = bandAt(document, placed.bandIndex);
    lines.addBlank();
    if (const QString comment = bandComment(band); !comment.isEmpty())
        lines.add(2, comment);
    // Only bands with a picture file have a picture to show.
    if (band.visible && !bandPictureSize(document, band).isEmpty())
        lines.add(2,
            QStringLiteral("<IMG border='0' src='section%1.bmp' style='Z-INDEX:0; POSITION:Absolute; "
                           "LEFT:20px; TOP:%2px;'>")
                .arg(placed.bandIndex)
                .arg(qint64(pixels(placed.top)) + 20));
    for (int i = 0; i < placed.items.size(); ++i) {
        const int objectIndex = placed.items.at(i).objectIndex;
        namingObject(document, objectIndex, [&] {
            resolveObjectText(document, pageIndex, placedBandIndex, i, objectIndex);
            const ReportObject &object = document.objects.at(objectIndex);
            if (object.controlType == ControlType::FramedText || object.controlType == ControlType::Text)
                lines.add(2, textSpan(object, placed.top));
        });
    }
}

} // namespace

QString colourToHex(int colour)
{
    const auto byte = [colour](int shift) {
        return QStringLiteral("%1").arg((colour >> shift) & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
    };
    return byte(0) + byte(8) + byte(16);
}

QString htmlPageText(ReportDocument &document, int pageIndex)
{
    HtmlLines lines;
    lines.add(0, QStringLiteral("<HTML>"));
    lines.add(1, QStringLiteral("<HEAD>"));
    lines.add(2, kCharsetLine);
    lines.add(2, QStringLiteral("<META http-equiv=\"Page-Enter\" content=\"blendTrans(Duration=.1)\">"));
    lines.add(2, QStringLiteral("<META name=\"Generator\" content=\"Tarvisol - ZETView\">"));
    lines.add(1, QStringLiteral("</HEAD>"));
    lines.add(1, QStringLiteral("<BODY bgcolor='#707070'>"));

    const int placedCount
        = int(checkedAt(std::as_const(document.pages), pageIndex, "Pages").placedBands.size());
    int sheetHeight = 0;
    for (int p = 0; p < placedCount; ++p) {
        const PlacedBand &placed = placedBandAt(document, pageIndex, p);
        sheetHeight = std::max(sheetHeight,
            roundHalfEven((placed.top + bandAt(document, placed.bandIndex).height) / kTwipsPerPicturePixel));
        addBandBlock(lines, document, pageIndex, p);
    }
    const int sheetWidth = placedCount > 0 ? pixels(document.pageWidth) : 0;

    lines.addBlank();
    lines.add(2, QStringLiteral("<!-- Sfondo bianco + bordini della pagina -->"));
    lines.add(2,
        QStringLiteral("<IMG border='1' style='background-color:white; Z-INDEX:-2; POSITION:Absolute; "
                       "LEFT:19px; TOP:19px; HEIGHT:%1px; WIDTH:%2px'>")
            .arg(qint64(sheetHeight) + 1)
            .arg(sheetWidth));
    lines.add(2,
        QStringLiteral("<SPAN style='background-color:white; Z-INDEX:-1; POSITION:Absolute; "
                       "LEFT:20px; TOP:20px; HEIGHT:%1px; WIDTH:%2px'> </SPAN>")
            .arg(sheetHeight)
            .arg(sheetWidth));
    lines.add(1, QStringLiteral("</BODY>"));
    lines.add(0, QStringLiteral("</HTML>"));
    return lines.text();
}

QString htmlFramesetText(const QString &baseName)
{
    // The folder is addressed by a relative URL: its name percent-encoded.
    const QString folder = QString::fromLatin1(QUrl::toPercentEncoding(baseName + QStringLiteral("_file")));
    HtmlLines lines;
    lines.add(0, QStringLiteral("<HTML>"));
    lines.add(1, QStringLiteral("<HEAD>"));
    lines.add(2, kCharsetLine);
    lines.add(2, kGeneratorLine);
    lines.add(2, QStringLiteral("<TITLE>Tarvisol - ZET Export</TITLE>"));
    lines.add(1, QStringLiteral("</HEAD>"));
    lines.add(1, QStringLiteral("<FRAMESET rows='47px, *' border='0'>"));
    lines.add(2, QStringLiteral("<FRAME src='%1/ctr.htm' noresize='noresize' scrolling='no'>").arg(folder));
    lines.add(2, QStringLiteral("<FRAME id='View' name='view'>"));
    lines.add(1, QStringLiteral("</FRAMESET>"));
    lines.add(0, QStringLiteral("</HTML>"));
    return lines.text();
}

QString htmlNavigatorText(int pageCount)
{
    // clang-format off
    const std::pair<int, QString> rows[] = {
        { 0, QStringLiteral("<HTML>") },
        { 1, QStringLiteral("<HEAD>") },
        { 2, kCharsetLine },
        { 2, kGeneratorLine },
        { 2, QStringLiteral("<SCRIPT LANGUAGE=javascript>") },
        { 3, QStringLiteral("<!--") },
        { 3, QStringLiteral("counter=1;") },
        { 3, QStringLiteral("maxpage=%1;").arg(pageCount) },
        { -1, QString() },
        { 3, QStringLiteral("function button2_onclick()") },
        { 3, QStringLiteral("{") },
        { 4, QStringLiteral("counter++;") },
        { 4, QStringLiteral("if (counter>maxpage)") },
        { 4, QStringLiteral("{") },
        { 5, QStringLiteral("counter=maxpage;") },
        { 4, QStringLiteral("}") },
        { 4, QStringLiteral("view_page()") },
        { 3, QStringLiteral("}") },
        { -1, QString() },
        { 3, QStringLiteral("function button1_onclick()") },
        { 3, QStringLiteral("{") },
        { 4, QStringLiteral("counter--;") },
        { 4, QStringLiteral("if (counter<1)") },
        { 4, QStringLiteral("{") },
        { 5, QStringLiteral("counter=1;") },
        { 4, QStringLiteral("}") },
        { 4, QStringLiteral("view_page()") },
        { 3, QStringLiteral("}") },
        { -1, QString() },
        { 3, QStringLiteral("function view_page(){") },
        { 3, QStringLiteral("window.parent.frames['view'].location.href=counter + '.htm';") },
        { 3, QStringLiteral("if (counter==1)         {document.getElementById('button1').disabled=true;}") },
        { 3, QStringLiteral("else                    {document.getElementById('button1').disabled=false;}") },
        { 3, QStringLiteral("if (counter==maxpage)   {document.getElementById('button2').disabled=true;}") },
        { 3, QStringLiteral("else                    {document.getElementById('button2').disabled=false;}") },
        { 3, QStringLiteral("}") },
        { -1, QString() },
        { 3, QStringLiteral("//-->") },
        { 2, QStringLiteral("</SCRIPT>") },
        { 1, QStringLiteral("</HEAD>") },
        { 1, QStringLiteral("<BODY bgcolor='#ffffa0' language='javascript' onload='view_page()'>") },
        { 2, QStringLiteral("<INPUT id='button1' type='button' value='Precedente' name='button1' language='javascript' "
                            "onclick='button1_onclick()' style='COLOR: firebrick'>") },
        { 2, QStringLiteral("<INPUT id='button2' type='button' value='Successivo' name='button2' language='javascript' "
                            "onclick='button2_onclick()' style='COLOR: firebrick'>") },
        { 2, QStringLiteral("<HR color='firebrick' size='1' style='position:absolute; left:0px; top:46; width:2000'>") },
        { 1, QStringLiteral("</BODY>") },
        { 0, QStringLiteral("</HTML>") },
    };
    // clang-format on
    HtmlLines lines;
    for (const auto &[tabs, text] : rows) {
        if (tabs < 0)
            lines.addBlank();
        else
            lines.add(tabs, text);
    }
    return lines.text();
}

} // namespace zet
