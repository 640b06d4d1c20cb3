#include "export/HtmlExport.h"
#include "layout/PageLayout.h"
#include "support/TemplateText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace zet;

namespace {

QString readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Compares a written text with its golden file; ZET_UPDATE_GOLDEN=1 rewrites the golden file.
void expectGolden(const QString &writtenPath, const QString &goldenName)
{
    const QString golden = QStringLiteral(ZET_SOURCE_DIR "/tests/export/golden/") + goldenName;
    const QString written = readFile(writtenPath);
    if (qEnvironmentVariableIntValue("ZET_UPDATE_GOLDEN")) {
        QFile file(golden);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(written.toUtf8());
    }
    EXPECT_EQ(written, readFile(golden)) << qPrintable(goldenName);
}

// A page header with a fixed text and "Pagina [&p] di [&P]" over six rows
// of Righe.[Descrizione], four to a page: two pages. The texts are visible,
// the header's is boxed and coloured in a font whose name holds quotes, the
// rows are framed fields (never boxed) with an alignment of no meaning.
ReportDocument twoPageReport()
{
    const test::TemplateText text
        = test::TemplateText()
              .page(2000, 200, 200)
              .band(test::PageHeader, { 400 })
              .band(test::Body, { 300 })
              .object(test::PageHeader, QString())
              .object(test::PageHeader, QStringLiteral("[SYS]"))
              .object(test::Body, QStringLiteral("Righe.[Descrizione]"))
              .structure({ QStringLiteral("Report"), {},
                  { { QStringLiteral("Righe"), { QStringLiteral("Descrizione") }, {} } } });
    QList<test::Record> rows = test::rows(6, QStringLiteral("Righe"), { QStringLiteral("Descrizione") });
    rows[0].values[0].second = QStringLiteral("a < b & \"c\" > 'd'");
    ReportDocument document = test::loadReport(text, { { QStringLiteral("Report"), {}, rows } });
    for (ReportObject &object : document.objects) {
        object.height = 280;
        object.width = 4000;
        object.left = 727; // 48.47 pixels
        object.transparentBack = true;
        object.font = ReportFont();
    }
    ReportObject &pageNumber = document.objects[1];
    pageNumber.loadedValue = QStringLiteral("Pagina [&p] di [&P]");
    pageNumber.font = ReportFont {
        .name = QStringLiteral("Tom's \"Sans\""), .size = 10.5, .weight = 700, .italic = true
    };
    pageNumber.alignment = TextAlignment::Justified;
    pageNumber.transparentBack = false;
    pageNumber.backColour = 0x3366FF;
    pageNumber.textColour = 0x0000FF;
    pageNumber.border = true;
    ReportObject &row = document.objects[2];
    row.controlType = ControlType::FramedText;
    row.border = true;
    row.alignment = TextAlignment(7);
    layOutReport(document);
    return document;
}

} // namespace

TEST(HtmlExport, WritesTheFramesetTheNavigatorAPageFilePerPageAndABmpPerVisibleBand)
{
    QTemporaryDir dir;
    ReportDocument document = twoPageReport();
    ASSERT_EQ(document.pages.size(), 2);
    QString error;
    ASSERT_TRUE(exportHtml(document, dir.filePath(QStringLiteral("Rep #1.htm")), &error))
        << qPrintable(error);

    const QString folder = dir.filePath(QStringLiteral("Rep #1_file/"));
    expectGolden(dir.filePath(QStringLiteral("Rep #1.htm")),
        QStringLiteral("html-frameset-addresses-its-folder-by-url.htm"));
    expectGolden(folder + QStringLiteral("ctr.htm"), QStringLiteral("html-navigator-of-two-pages.htm"));
    expectGolden(
        folder + QStringLiteral("1.htm"), QStringLiteral("html-page-escapes-text-and-places-spans.htm"));
    // The top and bottom margins, the page header and the rows' band are the visible bands.
    EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name).join(u' '),
        QStringLiteral("1.htm 2.htm ctr.htm section1.bmp section11.bmp section2.bmp section6.bmp"));
    EXPECT_EQ(document.objects[1].value, QStringLiteral("Pagina 2 di 2")); // as on the last page

    // 11906 x 400 and 300 twips at 15 twips per pixel, rounded; the header's
    // fixed text is drawn on white, the rows' band has no fixed object.
    const std::tuple<const char *, int, bool> pictures[]
        = { { "section2.bmp", 27, true }, { "section6.bmp", 20, false } };
    for (const auto &[name, height, drawn] : pictures) {
        QFile file(folder + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const QByteArray head = file.read(30);
        ASSERT_EQ(head.size(), 30) << name;
        EXPECT_EQ(head.left(2), "BM") << name;
        EXPECT_EQ(qFromLittleEndian<qint32>(head.constData() + 18), 794) << name;
        EXPECT_EQ(qFromLittleEndian<qint32>(head.constData() + 22), height) << name;
        EXPECT_EQ(qFromLittleEndian<quint16>(head.constData() + 28), 24) << name;
        QImage white(794, height, QImage::Format_RGB32);
        white.fill(Qt::white);
        EXPECT_EQ(QImage(file.fileName()).convertToFormat(QImage::Format_RGB32) != white, drawn) << name;
    }
}

TEST(HtmlExport, AFolderOrFileThatCannotBeWrittenIsAnErrorNamingIt)
{
    // Each row puts a folder, or a file, where the export must write.
    const std::pair<const char *, bool> rows[] = {
        { "r_file", false }, // a file where the folder goes
        { "r_file/section6.bmp", true },
        { "r_file/2.htm", true },
        { "r_file/ctr.htm", true },
        { "r.htm", true },
    };
    for (const auto &[inTheWay, asFolder] : rows) {
        QTemporaryDir dir;
        const QString blocked = dir.filePath(QLatin1String(inTheWay));
        ASSERT_TRUE(asFolder ? QDir().mkpath(blocked) : QFile(blocked).open(QIODevice::WriteOnly))
            << inTheWay;
        ReportDocument document = twoPageReport();
        QString error;
        EXPECT_FALSE(exportHtml(document, dir.filePath(QStringLiteral("r.htm")), &error)) << inTheWay;
        EXPECT_TRUE(error.contains(blocked)) << qPrintable(error);
        EXPECT_FALSE(QFileInfo(dir.filePath(QStringLiteral("r.htm"))).isFile()) << inTheWay;
    }
    ReportDocument document = twoPageReport();
    QString error;
    EXPECT_FALSE(exportHtml(document, QStringLiteral("/tmp/ "), &error));
    EXPECT_EQ(error, QStringLiteral("manca il nome del file da scrivere: \"/tmp/ \""));
}
