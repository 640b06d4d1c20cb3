// The zetview program and the host example, run as a user runs them.
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

QString example(const char *name)
{
    return QStringLiteral(ZET_SOURCE_DIR "/examples/") + QLatin1String(name);
}

// Each test has its own settings store and a folder for its files.
class CommandLineTest : public ::testing::Test
{
protected:
    ProgramRun run(const QString &program, const QStringList &args)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir_.filePath(QStringLiteral("user")));
        env.insert(QStringLiteral("XDG_CONFIG_DIRS"), dir_.filePath(QStringLiteral("machine")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
        process.start(program, args);
        EXPECT_TRUE(process.waitForFinished(120000)) << qPrintable(program);
        return { process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError() };
    }
    ProgramRun zetview(const QStringList &args)
    {
        return run(QStringLiteral(ZET_BINARY_DIR "/app/zetview"), args);
    }

    QString file(const QString &name, const QByteArray &content)
    {
        QFile f(dir_.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return f.fileName();
    }

    QTemporaryDir dir_;
};

// Rows of 1000 twips between margins of 500 on a page of 3000: two a page.
const QByteArray kTemplate
    = "<ZETVersion>1</ZETVersion><Nome>Elenco</Nome><ZET_RecordsetStruct><RecordsetStruct0>"
      "<RecordsetStructName0>Report</RecordsetStructName0><RecordsetStruct1>"
      "<RecordsetStructName1>Row</RecordsetStructName1><Field1><FieldName1>Nome</FieldName1>"
      "</Field1></RecordsetStruct1></RecordsetStruct0></ZET_RecordsetStruct>"
      "<Altezza>3000</Altezza><Larghezza>11906</Larghezza><MargineSuperiore>500"
      "</MargineSuperiore><MargineInferiore>500</MargineInferiore>"
      "<CorpoDati>-1</CorpoDati><AltezzaCorpoDati>1000</AltezzaCorpoDati>";

} // namespace

TEST_F(CommandLineTest, SettingsAreWrittenReadAndDeletedPerScope)
{
    EXPECT_EQ(zetview({ "settings", "set", "--user", "Elenco", "<CopieXML>2</CopieXML>" }).status, 0);
    EXPECT_EQ(zetview({ "settings", "get", "--user", "elenco" }).out, QByteArray("<CopieXML>2</CopieXML>\n"));
    EXPECT_EQ(zetview({ "settings", "get", "--machine", "Elenco" }).out, QByteArray("\n"));
    EXPECT_EQ(zetview({ "settings", "delete", "--user", "Elenco" }).status, 0);
    EXPECT_EQ(zetview({ "settings", "get", "--user", "Elenco" }).out, QByteArray("\n"));
}

TEST_F(CommandLineTest, InfoCountsPagesRecordsAndValuesAndHonoursDuplication)
{
    const QString templ = file(QStringLiteral("elenco.zet"), kTemplate);
    const QString data = file(QStringLiteral("elenco.xml"),
        "<Report><Row><Nome>A</Nome></Row><Row><Nome>B</Nome></Row><Row><Nome>C</Nome></Row></Report>");
    const ProgramRun plain = zetview({ "info", templ, data });
    EXPECT_TRUE(plain.out.startsWith("pagine=2 record=4 valori=3 CreaReport=")) << plain.err.constData();
    zetview({ "settings", "set", "--user", "Elenco", "<CopieXML>2</CopieXML>" });
    EXPECT_TRUE(zetview({ "info", templ, data }).out.startsWith("pagine=3 record=7 valori=6 "));
}

TEST_F(CommandLineTest, DumpPrintsOneJsonObjectOfFilesReadAsUtf8OrLatin1)
{
    const QString templ = file(QStringLiteral("t.zet"), kTemplate);
    // Not UTF-8: read one character per byte.
    const QString data = file(QStringLiteral("d.xml"), "<Report><Row><Nome>Citt\xe0</Nome></Row></Report>");
    const QJsonObject laid = QJsonDocument::fromJson(zetview({ "dump", templ, data }).out).object();
    EXPECT_EQ(laid.value(QStringLiteral("ReportName")).toString(), QStringLiteral("Elenco"));
    EXPECT_EQ(laid.value(QStringLiteral("Pages")).toArray().size(), 1);
    EXPECT_EQ(laid[QStringLiteral("Values")][0][QStringLiteral("Value")].toString(), QStringLiteral("Città"));
    const QJsonObject bare
        = QJsonDocument::fromJson(zetview({ "dump", "--no-layout", templ, data }).out).object();
    EXPECT_TRUE(bare.value(QStringLiteral("Pages")).toArray().isEmpty());
    EXPECT_EQ(bare.value(QStringLiteral("Records")).toArray().size(), 2);
}

TEST_F(CommandLineTest, ErrorsNameTheirCauseAndSetTheExitStatus)
{
    const QString missing = dir_.filePath(QStringLiteral("manca.zet"));
    const ProgramRun unreadable = zetview({ "dump", missing, missing });
    EXPECT_EQ(unreadable.status, 2);
    EXPECT_TRUE(unreadable.err.contains("manca.zet"));
    const QString bad = file(QStringLiteral("bad.zet"), "<ZETVersion>&HFFFFFFFFF</ZETVersion>");
    const ProgramRun overflow = zetview({ "info", bad, bad });
    EXPECT_EQ(overflow.status, 1);
    EXPECT_TRUE(overflow.err.startsWith("zetview: error 6: ")) << overflow.err.constData();
    // Qt's own warnings about the file do not come before ours.
    const ProgramRun unwritable = zetview({ "export", "--format", "pdf", example("elenco.zet"),
        example("elenco.xml"), "-o", "/nonexistent-folder/elenco.pdf" });
    EXPECT_EQ(unwritable.status, 2);
    EXPECT_TRUE(unwritable.err.startsWith("zetview: export: ")) << unwritable.err.constData();
    const ProgramRun unnamed = zetview({ "info", "", "" });
    EXPECT_EQ(unnamed.err, "zetview: impossibile leggere il modello : nessun nome di file\n");
    // A folder is refused as the output rather than written beside.
    for (const char *format : { "png", "pdf" }) {
        const ProgramRun folder = zetview({ "export", "--format", format, example("elenco.zet"),
            example("elenco.xml"), "-o", dir_.path() });
        EXPECT_EQ(folder.status, 2);
        EXPECT_TRUE(folder.err.contains("è una cartella")) << folder.err.constData();
        EXPECT_FALSE(QFile::exists(dir_.path() + QStringLiteral("-1")));
    }
    for (const QStringList &usage :
        { QStringList { "frobnicate" }, { "info", "only-one" },
            { "settings", "get", "--somewhere", "Elenco" }, { "settings", "set", "--user", "", "x" },
            { "settings", "delete", "--machine", "" }, { "export", "--format", "svg", "a", "b", "-o", "c" } })
        EXPECT_EQ(zetview(usage).status, 64) << qPrintable(usage.join(u' '));
}

TEST_F(CommandLineTest, EveryCommandRefusesATemplateThatCannotMakeAPage)
{
    const QString data = file(QStringLiteral("d.xml"), "<Report><Row><Nome>A</Nome></Row></Report>");
    const std::pair<QByteArray, const char *> rows[] = {
        { " \n", "il modello è vuoto" },
        { "<ZET>" + kTemplate, "il modello non è chiuso: dopo <ZET> manca </ZET>" },
        { "<Nome>Elenco</Nome>", "il modello non indica le dimensioni della pagina (Larghezza e Altezza)" },
        { "<Altezza>-1</Altezza>" + kTemplate, "le dimensioni della pagina del modello non sono valide" },
        { "<ZETVersion>2</ZETVersion>" + kTemplate, "il modello è di versione 2 (ZETVersion)" },
    };
    const QString pdf = dir_.filePath(QStringLiteral("out.pdf"));
    for (const auto &[content, message] : rows) {
        const QString templ = file(QStringLiteral("t.zet"), content);
        for (const QStringList &command : { QStringList { "info" }, { "dump" }, { "dump", "--no-layout" },
                 { "export", "--format", "pdf", "-o", pdf } }) {
            SCOPED_TRACE(message + (u' ' + command.join(u' ')).toStdString());
            const ProgramRun refused = zetview(command + QStringList { templ, data });
            EXPECT_EQ(refused.status, 1);
            EXPECT_TRUE(refused.err.startsWith("zetview: " + templ.toUtf8() + ": " + message))
                << refused.err.constData();
            EXPECT_TRUE(refused.out.isEmpty());
        }
    }
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(CommandLineTest, ExportWritesAPdfOfThePageSizeWithSelectableText)
{
    const QString pdf = dir_.filePath(QStringLiteral("fattura.pdf"));
    const ProgramRun exported
        = zetview({ "export", "--format", "pdf", example("fattura.zet"), example("fattura.xml"), "-o", pdf });
    ASSERT_EQ(exported.status, 0) << exported.err.constData();
    // A4 is 11906 x 16838 twips: 595 x 842 points.
    const QString info = QString::fromUtf8(run(QStringLiteral("pdfinfo"), { pdf }).out);
    EXPECT_TRUE(
        info.contains(QRegularExpression(QStringLiteral("Page size: +595(\\.\\d+)? x 842(\\.\\d+)? pts"))))
        << qPrintable(info);
    const QString text = QString::fromUtf8(run(QStringLiteral("pdftotext"), { "-layout", pdf, "-" }).out);
    EXPECT_TRUE(text.contains(QStringLiteral("Rossi Meccanica S.p.A."))) << qPrintable(text.left(2000));
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Pagina 1 di \\d"))));
}

TEST_F(CommandLineTest, ExportWritesOnePngPerPageAtTheChosenResolution)
{
    const QString templ = file(QStringLiteral("elenco.zet"), kTemplate);
    const QString data = file(QStringLiteral("elenco.xml"),
        "<Report><Row><Nome>A</Nome></Row><Row><Nome>B</Nome></Row><Row><Nome>C</Nome></Row></Report>");
    const ProgramRun exported = zetview({ "export", "--format", "png", "--dpi", "48", templ, data, "-o",
        dir_.filePath(QStringLiteral("e.png")) });
    ASSERT_EQ(exported.status, 0) << exported.err.constData();
    // 11906 x 3000 twips at 48 dpi, on each of the two pages.
    EXPECT_EQ(QImage(dir_.filePath(QStringLiteral("e-1.png"))).size(), QSize(397, 100));
    EXPECT_EQ(QImage(dir_.filePath(QStringLiteral("e-2.png"))).size(), QSize(397, 100));
    EXPECT_FALSE(QFile::exists(dir_.filePath(QStringLiteral("e-3.png"))));
}
