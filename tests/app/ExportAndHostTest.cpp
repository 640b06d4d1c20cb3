#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ProgramRun
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

ProgramRun runProgram(const QString &program, const QStringList &args)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.start(program, args);
    EXPECT_TRUE(process.waitForFinished(120000)) << qPrintable(program);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QString example(const char *name)
{
    return QStringLiteral(ZET_SOURCE_DIR "/examples/") + QLatin1String(name);
}

const QString kZetview = QStringLiteral(ZET_BINARY_DIR "/app/zetview");

} // namespace

TEST(ExportCommand, PdfHasTheTemplatesPageSizeAndSelectableText)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("fattura.pdf"));
    ProgramRun run = runProgram(kZetview, {"export", "--format", "pdf", example("fattura.zet"), example("fattura.xml"), "-o", pdf});
    ASSERT_EQ(run.status, 0) << run.err.constData();

    ProgramRun info = runProgram(QStringLiteral("pdfinfo"), {pdf});
    ASSERT_EQ(info.status, 0);
    // A4 is 11906 x 16838 twips: 595 x 842 points.
    EXPECT_TRUE(QString::fromUtf8(info.out).contains(QRegularExpression(QStringLiteral("Page size: +595(\\.\\d+)? x 842(\\.\\d+)? pts"))))
        << info.out.constData();

    ProgramRun text = runProgram(QStringLiteral("pdftotext"), {"-layout", pdf, "-"});
    ASSERT_EQ(text.status, 0);
    const QString content = QString::fromUtf8(text.out);
    EXPECT_TRUE(content.contains(QStringLiteral("Rossi Meccanica S.p.A."))) << qPrintable(content.left(2000));
    EXPECT_TRUE(content.contains(QStringLiteral("Totale fattura")));
    EXPECT_TRUE(content.contains(QRegularExpression(QStringLiteral("Pagina 1 di \\d"))));
}

TEST(ExportCommand, PngWritesOnePicturePerPageAtTheChosenResolution)
{
    QTemporaryDir dir;
    ProgramRun info = runProgram(kZetview, {"info", example("elenco.zet"), example("elenco.xml")});
    const QRegularExpressionMatch pages
        = QRegularExpression(QStringLiteral("pagine=(\\d+)")).match(QString::fromUtf8(info.out));
    ASSERT_TRUE(pages.hasMatch()) << info.out.constData();
    const int pageCount = pages.captured(1).toInt();
    ASSERT_GE(pageCount, 2);

    ProgramRun run = runProgram(kZetview, {"export", "--format", "png", "--dpi", "48", example("elenco.zet"),
                                    example("elenco.xml"), "-o", dir.filePath(QStringLiteral("elenco.png"))});
    ASSERT_EQ(run.status, 0) << run.err.constData();
    for (int page = 1; page <= pageCount; ++page) {
        QImage image(dir.filePath(QStringLiteral("elenco-%1.png").arg(page)));
        ASSERT_FALSE(image.isNull()) << page;
        // 11906 x 16838 twips at 48 dpi.
        EXPECT_EQ(image.size(), QSize(397, 561));
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("elenco-%1.png").arg(pageCount + 1))));
}

TEST(ExportCommand, AnUnwritableTargetIsAnErrorNotASuccess)
{
    ProgramRun run = runProgram(kZetview, {"export", "--format", "pdf", example("elenco.zet"), example("elenco.xml"), "-o",
                                    "/nonexistent-folder/elenco.pdf"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains("export:")) << run.err.constData();
    EXPECT_EQ(runProgram(kZetview, {"export", "--format", "svg", "a", "b", "-o", "c"}).status, 64);
}

TEST(HostExample, LoadsTextsBuildsTheReportAndWritesIt)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("registro.pdf"));
    ProgramRun run = runProgram(QStringLiteral(ZET_BINARY_DIR "/examples/host/zetview_host_example"),
                         {example("registro.zet"), example("registro.xml"), pdf});
    ASSERT_EQ(run.status, 0) << run.err.constData();
    // The control raised its one DebugEvent, then the file was written.
    EXPECT_TRUE(run.out.startsWith("CreaReport=")) << run.out.constData();
    EXPECT_TRUE(run.out.contains("scritto "));
    ProgramRun text = runProgram(QStringLiteral("pdftotext"), {pdf, "-"});
    EXPECT_TRUE(text.out.contains("Magazzino centrale - Udine"));
}
