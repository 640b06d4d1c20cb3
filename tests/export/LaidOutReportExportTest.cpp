#include "export/PageImageExport.h"
#include "layout/PageLayout.h"
#include "support/TemplateText.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zet;
using namespace zet::test;

namespace {

// A template of a 3000-twip page, margins 200: a page header with "Pagina [&p] di [&P]"
// and a body row showing Righe.[Descrizione], laid out over 30 rows of one
// outer record.
ReportDocument laidOutReport()
{
    TemplateText text;
    text.page(3000, 200, 200)
        .band(PageHeader, { 400 })
        .band(Body, { 300 })
        .object(PageHeader, QStringLiteral("[SYS]"))
        .object(Body, QStringLiteral("Righe.[Descrizione]"))
        .structure({ QStringLiteral("Report"), {},
            { { QStringLiteral("Righe"), { QStringLiteral("Descrizione") }, {} } } });
    const Record report { QStringLiteral("Report"), {},
        rows(30, QStringLiteral("Righe"), { QStringLiteral("Descrizione") }) };
    ReportDocument document = loadReport(text, { report });
    // The writer makes zero-height objects that are not printed; give them
    // room, a font and the printable flag.
    ReportFont font;
    font.name = QStringLiteral("Arial");
    font.size = 10;
    for (ReportObject &object : document.objects) {
        object.height = 280;
        object.width = 6000;
        object.left = 720;
        object.font = font;
        object.transparentBack = true;
        object.printable = true;
    }
    document.objects[0].loadedValue = QStringLiteral("Pagina [&p] di [&P]");
    layOutReport(document);
    return document;
}

QString runTool(const QString &tool, const QStringList &arguments)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return QString();
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(LaidOutReport, ExportsEveryPageWithItsNumbersAndRowsToPdf)
{
    ReportDocument document = laidOutReport();
    const int pages = int(document.pages.size());
    ASSERT_GE(pages, 3) << "the rows need several pages";

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("righe.pdf"));
    QList<std::pair<int, int>> progress;
    QString error;
    ASSERT_TRUE(exportPagesToPdf(
        document, path, true,
        [&](int page, int count) {
            progress.append({ page, count });
        },
        &error))
        << error.toStdString();
    ASSERT_EQ(progress.size(), pages);
    EXPECT_EQ(progress.first(), std::make_pair(1, pages));
    EXPECT_EQ(progress.last(), std::make_pair(pages, pages));

    const QString info = runTool(QStringLiteral("pdfinfo"), { path });
    if (info.isNull())
        GTEST_SKIP() << "poppler-utils are not installed";
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages: +%1\n").arg(pages))))
        << info.toStdString();
    // 11906 x 3000 twips, to whole points.
    EXPECT_TRUE(info.contains(QStringLiteral("595 x 150 pts"))) << info.toStdString();

    const QStringList pageTexts
        = runTool(QStringLiteral("pdftotext"), { QStringLiteral("-layout"), path, QStringLiteral("-") })
              .split(u'\f');
    ASSERT_GE(pageTexts.size(), pages);
    for (int p = 0; p < pages; ++p) {
        SCOPED_TRACE(p);
        EXPECT_TRUE(pageTexts[p].contains(QStringLiteral("Pagina %1 di %2").arg(p + 1).arg(pages)))
            << pageTexts[p].toStdString();
    }
    const QString all = pageTexts.join(QString());
    for (int row = 1; row <= 30; ++row)
        EXPECT_TRUE(all.contains(QStringLiteral("Descrizione %1\n").arg(row))) << "row " << row;
}

} // namespace
