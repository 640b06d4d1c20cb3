#include "export/PageImageExport.h"
#include "layout/PageLayout.h"
#include "render/TestDocument.h"
#include "support/TemplateText.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zet;
using zet::testing::TestDocument;

namespace {

// Pages of 3 x 2 inches, each with a red block at (1440, 720)-(2880, 1440)
// twips and a printable text naming the page.
TestDocument twoPageReport()
{
    TestDocument t;
    const int band = t.addRedBlockBand();
    t.addText(band, QStringLiteral("Fattura pagina [&p] di [&P]"), 150, 150, 4000, 300, false);
    for (int page : { t.addPage(), t.addPage() })
        t.place(page, band, 0, { { t.lastObject, -1 } });
    return t;
}

// A page header "Pagina [&p] di [&P]" over 30 rows of Righe.[Descrizione] on pages 3000 twips high.
ReportDocument laidOutReport()
{
    const test::TemplateText text
        = test::TemplateText()
              .page(3000, 200, 200)
              .band(test::PageHeader, { 400 })
              .band(test::Body, { 300 })
              .object(test::PageHeader, QStringLiteral("[SYS]"))
              .object(test::Body, QStringLiteral("Righe.[Descrizione]"))
              .structure({ QStringLiteral("Report"), {},
                  { { QStringLiteral("Righe"), { QStringLiteral("Descrizione") }, {} } } });
    ReportDocument document = test::loadReport(text,
        { { QStringLiteral("Report"), {},
            test::rows(30, QStringLiteral("Righe"), { QStringLiteral("Descrizione") }) } });
    // The template's objects have no height and are not printed; make them visible text.
    for (ReportObject &object : document.objects) {
        object.height = 280;
        object.width = 6000;
        object.left = 720;
        object.font = ReportFont();
        object.transparentBack = object.printable = true;
    }
    document.objects[0].loadedValue = QStringLiteral("Pagina [&p] di [&P]");
    layOutReport(document);
    return document;
}

// The output of a poppler tool; empty when it is not installed.
QString runTool(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

TEST(PagePicturePath, InsertsThePageNumberBeforeTheExtension)
{
    const std::tuple<const char *, int, const char *> rows[]
        = { { "out/fattura.png", 12, "out/fattura-12.png" }, { "fattura", 3, "fattura-3" },
              { "out.d/fattura", 1, "out.d/fattura-1" }, { "a.b.png", 2, "a.b-2.png" },
              { "dir/.png", 1, "dir/.png-1" }, { "C:\\Out\\rep.png", 4, "C:\\Out\\rep-4.png" } };
    for (const auto &[path, page, expected] : rows)
        EXPECT_EQ(pagePicturePath(QString::fromUtf8(path), page), QString::fromUtf8(expected)) << path;
}

TEST(ExportPagesToPng, WritesOnePictureAPageAtTheChosenResolution)
{
    QTemporaryDir dir;
    TestDocument t = twoPageReport();
    QList<std::pair<int, int>> progress;
    const auto note = [&](int page, int count) { progress.append({ page, count }); };
    QString error;
    ASSERT_TRUE(exportPagesToPng(t.doc, dir.filePath(QStringLiteral("fattura.png")), 192, true, note, &error))
        << error.toStdString();
    EXPECT_EQ(progress, (QList<std::pair<int, int>> { { 1, 2 }, { 2, 2 } }));
    for (int page = 1; page <= 2; ++page) {
        SCOPED_TRACE(page);
        QImage image(dir.filePath(QStringLiteral("fattura-%1.png").arg(page)));
        EXPECT_EQ(image.size(), QSize(576, 384));
        EXPECT_EQ(qRound(image.dotsPerMeterX() * 0.0254), 192);
        EXPECT_EQ(image.pixel(288, 144), qRgb(255, 0, 0)) << "the block at (1.5, 0.75) inches";
        EXPECT_EQ(image.pixel(100, 300), qRgb(255, 255, 255));
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("fattura-3.png"))));
}

TEST(PageExport, AFileThatCannotBeWrittenIsAFailureNamingIt)
{
    QTemporaryDir dir;
    TestDocument t = twoPageReport();
    int pagesStarted = 0;
    QString error;
    EXPECT_FALSE(exportPagesToPng(
        t.doc, dir.filePath(QStringLiteral("missing/fattura.png")), 96, true,
        [&](int, int) { ++pagesStarted; }, &error));
    EXPECT_EQ(pagesStarted, 1) << "stops at the first failure";
    EXPECT_TRUE(error.contains(QStringLiteral("fattura-1.png"))) << error.toStdString();
    EXPECT_FALSE(exportPagesToPdf(t.doc, dir.filePath(QStringLiteral("missing/x.pdf")), true, {}, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("x.pdf"))) << error.toStdString();
}

TEST(PageExport, RefusesUnusableInput)
{
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("x.png"));
    const std::tuple<const char *, double, double, bool, int> rows[] = { // width, height, pages, dpi
        { "no pages", 4320, 2880, false, 96 }, { "zero width", 0, 2880, true, 96 },
        { "negative height", 4320, -5, true, 96 }, { "absurd size", 1e12, 2880, true, 96 },
        { "zero dpi", 4320, 2880, true, 0 }, { "huge picture", 288000, 288000, true, 4800 }
    };
    for (const auto &[what, width, height, pages, dpi] : rows) {
        SCOPED_TRACE(what);
        TestDocument t = twoPageReport();
        t.doc.pageWidth = width;
        t.doc.pageHeight = height;
        if (!pages)
            t.doc.pages.clear();
        QString error;
        EXPECT_FALSE(exportPagesToPng(t.doc, png, dpi, true, {}, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(QFile::exists(pagePicturePath(png, 1)));
        error.clear();
        EXPECT_EQ(
            exportPagesToPdf(t.doc, dir.filePath(QStringLiteral("x.pdf")), true, {}, &error), dpi != 96);
        EXPECT_EQ(error.isEmpty(), dpi != 96);
    }
}

TEST(ExportPagesToPdf, ALaidOutReportHasEveryPageWithItsNumbersAndRows)
{
    ReportDocument document = laidOutReport();
    const int pages = int(document.pages.size());
    ASSERT_GE(pages, 3) << "the rows need several pages";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("righe.pdf"));
    int reported = 0;
    const auto count = [&](int, int) { ++reported; };
    QString error;
    ASSERT_TRUE(exportPagesToPdf(document, path, true, count, &error)) << error.toStdString();
    EXPECT_EQ(reported, pages);

    const QString info = runTool(QStringLiteral("pdfinfo"), { path });
    if (info.isEmpty())
        GTEST_SKIP() << "poppler-utils are not installed";
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages: +%1\n").arg(pages))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("595 x 150 pts"))) << "11906 x 3000 twips";
    const QStringList pageTexts
        = runTool(QStringLiteral("pdftotext"), { QStringLiteral("-layout"), path, QStringLiteral("-") })
              .split(u'\f');
    ASSERT_GE(pageTexts.size(), pages);
    for (int p = 0; p < pages; ++p)
        EXPECT_TRUE(pageTexts[p].contains(QStringLiteral("Pagina %1 di %2").arg(p + 1).arg(pages))) << p;
    for (int row = 1; row <= 30; ++row)
        EXPECT_TRUE(pageTexts.join(QString()).contains(QStringLiteral("Descrizione %1\n").arg(row))) << row;
}
