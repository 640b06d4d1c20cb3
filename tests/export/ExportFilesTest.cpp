#include "export/ExportFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using zet::PathPart;

TEST(ExportFiles, PathPartsSplitAtTheLastSeparatorAndDot)
{
    struct Row
    {
        const char *path, *folder, *base, *extension, *folderAndBase;
    };
    const Row rows[] = {
        { "/doc/Rep.2024.htm", "/doc/", "Rep.2024", "htm", "/doc/Rep.2024" },
        { "rep.bmp", "", "rep", "bmp", "rep" }, // stays relative
        { "/out.d/rep", "/out.d/", "rep", "", "/out.d/rep" },
        { "/out/rep.", "/out/", "rep", "", "/out/rep" },
        { "   ", "", "", "", "" },
    };
    for (const Row &row : rows) {
        const QString path = QString::fromUtf8(row.path);
        EXPECT_EQ(zet::pathPart(path, PathPart::Folder), QString::fromUtf8(row.folder)) << row.path;
        EXPECT_EQ(zet::pathPart(path, PathPart::Base), QString::fromUtf8(row.base)) << row.path;
        EXPECT_EQ(zet::pathPart(path, PathPart::Extension), QString::fromUtf8(row.extension)) << row.path;
        EXPECT_EQ(zet::pathPart(path, PathPart::FolderAndBase), QString::fromUtf8(row.folderAndBase))
            << row.path;
    }
    EXPECT_EQ(zet::withFinalSeparator(QStringLiteral(" /tmp ")), QStringLiteral("/tmp/"));
    EXPECT_EQ(zet::withFinalSeparator(QStringLiteral("/tmp/")), QStringLiteral("/tmp/"));
}

TEST(ExportFiles, FoldersAreCreatedWithTheirParentsAndAFileInTheWayIsAnError)
{
    QTemporaryDir root;
    const QString nested = root.filePath(QStringLiteral("a/b/c"));
    EXPECT_TRUE(zet::createFolder(nested));
    EXPECT_TRUE(zet::folderExists(nested));

    const QString file = root.filePath(QStringLiteral("file"));
    ASSERT_TRUE(zet::writeTextFile(QStringLiteral("x"), file));
    QString error;
    EXPECT_FALSE(zet::createFolder(file + QStringLiteral("/sub"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(zet::folderExists(file));
}

TEST(ExportFiles, TextFilesAreReplacedInUtf8AndAFailedWriteSaysWhy)
{
    QTemporaryDir root;
    const QString path = root.filePath(QStringLiteral("t.htm"));
    ASSERT_TRUE(zet::writeTextFile(QStringLiteral("vecchio testo più lungo"), path));
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    ASSERT_TRUE(zet::writeTextFile(QStringLiteral("è<&"), path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\xc3\xa8<&"));

    QString error;
    EXPECT_FALSE(
        zet::writeTextFile(QStringLiteral("x"), root.filePath(QStringLiteral("none/t.htm")), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("none/t.htm")));

    EXPECT_TRUE(zet::deleteFileIfExists(path));
    EXPECT_FALSE(zet::fileExists(path));
    EXPECT_FALSE(zet::deleteFileIfExists(path));
}
