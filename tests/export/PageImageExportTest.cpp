#include "export/PageImageExport.h"
#include "render/TestDocument.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zet;
using zet::testing::TestDocument;

namespace {

TEST(PagePicturePath, InsertsThePageNumberBeforeTheExtension)
{
    struct
    {
        const char *path;
        int page;
        const char *expected;
    } rows[] = {
        { "out/fattura.png", 1, "out/fattura-1.png" },
        { "out/fattura.png", 12, "out/fattura-12.png" },
        { "fattura", 3, "fattura-3" },
        { "out.d/fattura", 1, "out.d/fattura-1" },
        { "a.b.png", 2, "a.b-2.png" },
        { "dir/.png", 1, "dir/.png-1" },
        { "C:\\Out\\rep.png", 4, "C:\\Out\\rep-4.png" },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(pagePicturePath(QString::fromUtf8(row.path), row.page), QString::fromUtf8(row.expected));
    }
}

// Pages of 3 x 2 inches, each with a red block at (1440, 720)-(2880, 1440)
// twips and a printable text naming the page.
TestDocument twoPageReport()
{
    TestDocument t;
    const int band = t.addBand();
    ReportObject &block = t.addObject(band, ControlType::Shape, 1440, 720, 1440, 720);
    block.style = ShapeStyle::Rectangle;
    block.backColour = 0x0000FF;
    t.addText(band, QStringLiteral("Fattura pagina [&p] di [&P]"), 150, 150, 4000, 300, false);
    const int text = t.lastObject;
    for (int i = 0; i < 2; ++i) {
        t.addPage();
        t.place(i, band, 0, { { text, -1 } });
    }
    return t;
}

TEST(ExportPagesToPng, WritesOnePictureAPageAtTheChosenResolution)
{
    QTemporaryDir dir;
    TestDocument t = twoPageReport();
    QList<std::pair<int, int>> progress;
    QString error;
    const QString path = dir.filePath(QStringLiteral("fattura.png"));
    ASSERT_TRUE(exportPagesToPng(
        t.doc, path, 192, true,
        [&](int page, int count) {
            progress.append({ page, count });
        },
        &error))
        << error.toStdString();
    EXPECT_EQ(progress, (QList<std::pair<int, int>> { { 1, 2 }, { 2, 2 } }));
    for (int page = 1; page <= 2; ++page) {
        SCOPED_TRACE(page);
        QImage image(dir.filePath(QStringLiteral("fattura-%1.png").arg(page)));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(576, 384));
        EXPECT_EQ(qRound(image.dotsPerMeterX() * 0.0254), 192);
        EXPECT_EQ(image.pixel(288, 144), qRgb(255, 0, 0)) << "the block at (1.5, 0.75) inches";
        EXPECT_EQ(image.pixel(100, 300), qRgb(255, 255, 255));
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("fattura-3.png"))));
}

TEST(ExportPagesToPng, ReportsAFileThatCannotBeWritten)
{
    QTemporaryDir dir;
    TestDocument t = twoPageReport();
    int pagesStarted = 0;
    QString error;
    const QString path = dir.filePath(QStringLiteral("missing/fattura.png"));
    EXPECT_FALSE(exportPagesToPng(
        t.doc, path, 96, true, [&](int, int) { ++pagesStarted; }, &error));
    EXPECT_EQ(pagesStarted, 1) << "stops at the first failure";
    EXPECT_TRUE(error.contains(QStringLiteral("fattura-1.png"))) << error.toStdString();
}

TEST(PageExport, RefusesUnusableInput)
{
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("x.png"));
    const QString pdf = dir.filePath(QStringLiteral("x.pdf"));
    struct
    {
        const char *name;
        double width;
        double height;
        bool pages;
        int dpi;
    } rows[] = {
        { "no pages", 4320, 2880, false, 96 },
        { "zero width", 0, 2880, true, 96 },
        { "negative height", 4320, -5, true, 96 },
        { "absurd size", 1e12, 2880, true, 96 },
        { "zero dpi", 4320, 2880, true, 0 },
        { "huge picture", 288000, 288000, true, 4800 },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TestDocument t = twoPageReport();
        t.doc.pageWidth = row.width;
        t.doc.pageHeight = row.height;
        if (!row.pages)
            t.doc.pages.clear();
        QString error;
        EXPECT_FALSE(exportPagesToPng(t.doc, png, row.dpi, true, {}, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(QFile::exists(pagePicturePath(png, 1)));
        if (row.dpi == 96) {
            error.clear();
            EXPECT_FALSE(exportPagesToPdf(t.doc, pdf, true, {}, &error));
            EXPECT_FALSE(error.isEmpty());
        }
    }
}

TEST(ExportPagesToPdf, ReportsAFileThatCannotBeWritten)
{
    QTemporaryDir dir;
    TestDocument t = twoPageReport();
    QString error;
    EXPECT_FALSE(exportPagesToPdf(t.doc, dir.filePath(QStringLiteral("missing/x.pdf")), true, {}, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("x.pdf"))) << error.toStdString();
}

} // namespace
