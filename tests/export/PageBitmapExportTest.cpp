#include "export/PageBitmapExport.h"
#include "export/PagePictureWriter.h"
#include "render/TestDocument.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zet;
using zet::testing::TestDocument;

namespace {

// Three pages of 3 x 2 inches with a red block at (1440, 720)-(2880, 1440)
// twips and a listed text that is not printable.
TestDocument threePages()
{
    TestDocument t;
    const int band = t.addRedBlockBand();
    t.addText(band, QStringLiteral("Bozza"), 0, 0, 1000, 300, false).printable = false;
    for (int i = 0; i < 3; ++i)
        t.place(t.addPage(), band, 0, { { t.lastObject, -1 } });
    return t;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(PageBitmapPath, IndexPaddedToThreeOrToTheLastIndex)
{
    const std::tuple<const char *, int, int, const char *> rows[] = {
        { "out/rep.bmp", 0, 3, "out/rep  0.bmp" },
        { "out/rep.bmp", 10, 11, "out/rep 10.bmp" },
        { "out/rep", 2, 3, "out/rep  2." },
        { "rep.x.bmp", 999, 1000, "rep.x999.bmp" },
        { "rep.bmp", 5, 1001, "rep   5.bmp" },
        { "rep.bmp", 5, 10001, "rep    5.bmp" },
        { "rep.bmp", 1000, 1002, "rep1000.bmp" },
        { "rep.bmp", 123, 20000, "rep  123.bmp" },
    };
    for (const auto &[path, index, count, expected] : rows)
        EXPECT_EQ(pageBitmapPath(QString::fromUtf8(path), index, count), QString::fromUtf8(expected))
            << path << " " << index << " of " << count;
}

TEST(ExportPageBitmaps, OneTwentyFourBitPicturePerPageAtTheZoomAndView)
{
    const std::tuple<double, bool, QSize, QPoint> rows[] = {
        { 1.0, false, QSize(288, 192), QPoint(144, 72) },
        { 0.5, true, QSize(144, 96), QPoint(72, 36) },
    };
    for (const auto &[zoom, printView, size, inBlock] : rows) {
        SCOPED_TRACE(zoom);
        QTemporaryDir dir;
        TestDocument t = threePages();
        QString error;
        ASSERT_TRUE(
            exportPageBitmaps(t.doc, dir.filePath(QStringLiteral("rep.bmp")), zoom, printView, {}, &error))
            << error.toStdString();
        for (const char *name : { "rep  0.bmp", "rep  1.bmp", "rep  2.bmp" }) {
            const QByteArray bytes = fileBytes(dir.filePath(QString::fromUtf8(name)));
            ASSERT_GT(bytes.size(), 30) << name;
            EXPECT_EQ(bytes.mid(0, 2), "BM");
            EXPECT_EQ(quint8(bytes[28]) | quint8(bytes[29]) << 8, 24) << "bits a pixel";
            const QImage image = QImage::fromData(bytes);
            EXPECT_EQ(image.size(), size);
            EXPECT_EQ(image.pixel(inBlock), qRgb(255, 0, 0));
            bool textShown = false;
            for (int x = 0; x < size.width() / 5; ++x)
                for (int y = 0; y < size.height() / 8; ++y)
                    textShown = textShown || image.pixel(x, y) != qRgb(255, 255, 255);
            EXPECT_EQ(textShown, !printView) << "the text that is not printable";
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);
    }
}

TEST(ExportPageBitmaps, AFileThatCannotBeWrittenStopsTheExportNamingIt)
{
    QTemporaryDir dir;
    TestDocument t = threePages();
    int pagesStarted = 0;
    QString error;
    EXPECT_FALSE(exportPageBitmaps(
        t.doc, dir.filePath(QStringLiteral("missing/rep.bmp")), 1.0, false, [&](int, int) { ++pagesStarted; },
        &error));
    EXPECT_EQ(pagesStarted, 1);
    EXPECT_TRUE(error.contains(QStringLiteral("rep  0.bmp"))) << error.toStdString();
    EXPECT_FALSE(exportPageBitmaps(t.doc, dir.filePath(QStringLiteral("rep.bmp")), 5.0, false, {}, &error));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST(PagePictureWriter, WritesTheBytesOfASaveOnAnyNumberOfThreads)
{
    QTemporaryDir dir;
    QList<QImage> pictures;
    for (int i = 0; i < 5; ++i) {
        QImage picture(40 + i, 30, QImage::Format_RGB32);
        picture.fill(qRgb(i * 50, 255 - i * 40, 7 * i));
        picture.setPixel(i, i, qRgb(0, 0, 0));
        picture.save(dir.filePath(QStringLiteral("saved-%1.png").arg(i)), "PNG");
        pictures.append(picture);
    }
    for (int threads : { 1, 3 }) {
        PagePictureWriter writer("PNG", threads);
        for (int i = 0; i < pictures.size(); ++i)
            ASSERT_TRUE(
                writer.write(pictures[i], dir.filePath(QStringLiteral("%1-%2.png").arg(threads).arg(i))));
        ASSERT_TRUE(writer.finish());
        for (int i = 0; i < pictures.size(); ++i)
            EXPECT_EQ(fileBytes(dir.filePath(QStringLiteral("%1-%2.png").arg(threads).arg(i))),
                fileBytes(dir.filePath(QStringLiteral("saved-%1.png").arg(i))))
                << threads << " threads, picture " << i;
    }
}
