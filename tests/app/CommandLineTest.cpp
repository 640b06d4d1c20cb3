// The zetview program and the host example, run as a user runs them.
#include "support/TemplateText.h"
#include "template/Vocabulary.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ProgramRun
{
    int status = -1;
    QByteArray out, err;
};

QString example(const char *name)
{
    return QStringLiteral(ZET_SOURCE_DIR "/examples/") + QLatin1String(name);
}

// Rows of 1000 twips between margins of 500 on a page of 3000: two a page. The report is "Prova".
const QByteArray kTemplate = zet::test::TemplateText()
                                 .page(3000, 500, 500)
                                 .band(zet::test::Body, { 1000 })
                                 .structure({ "Report", {}, { { "Row", { "Nome" }, {} } } })
                                 .text()
                                 .toUtf8();
const QByteArray kThreeRows
    = "<Report><Row><Nome>A</Nome></Row><Row><Nome>B</Nome></Row><Row><Nome>C</Nome></Row></Report>";

// The keys named in a guide's key tables: in the first cell of tables headed
// "Key", "Sub-key" or "Element", in every cell but the first of the one headed "Band".
QSet<QString> keysInTables(const char *guide)
{
    QFile file(QStringLiteral(ZET_SOURCE_DIR "/docs/") + QLatin1String(guide));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << guide;
    static const QRegularExpression code(u"`([A-Za-z][A-Za-z0-9_.\\-]*)`"_s);
    QSet<QString> keys;
    QString header;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QStringList cells = line.trimmed().split(u'|');
        if (cells.size() < 3 || !line.trimmed().startsWith(u'|')) {
            header.clear();
        } else if (header.isEmpty()) {
            header = cells[1].trimmed();
        } else if (QStringList { "Band", "Key", "Sub-key", "Element" }.contains(header)) {
            const QString named = header == u"Band"_s ? cells.mid(2, cells.size() - 3).join(u'|') : cells[1];
            for (auto it = code.globalMatch(named); it.hasNext();)
                keys.insert(it.next().captured(1));
        }
    }
    return keys;
}

// Each test has its own settings store and a folder for its files.
class CommandLineTest : public ::testing::Test
{
protected:
    ProgramRun run(const QString &program, const QStringList &args)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"XDG_CONFIG_HOME"_s, dir_.filePath(u"user"_s));
        env.insert(u"XDG_CONFIG_DIRS"_s, dir_.filePath(u"machine"_s));
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
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

} // namespace

TEST_F(CommandLineTest, SettingsAreWrittenReadAndDeletedPerScope)
{
    EXPECT_EQ(zetview({ "settings", "set", "--user", "Elenco", "<CopieXML>2</CopieXML>" }).status, 0);
    EXPECT_EQ(zetview({ "settings", "get", "--user", "elenco" }).out, "<CopieXML>2</CopieXML>\n");
    EXPECT_EQ(zetview({ "settings", "get", "--machine", "Elenco" }).out, "\n");
    EXPECT_EQ(zetview({ "settings", "delete", "--user", "Elenco" }).status, 0);
    EXPECT_EQ(zetview({ "settings", "get", "--user", "Elenco" }).out, "\n");
}

TEST_F(CommandLineTest, InfoCountsPagesRecordsAndValuesAndHonoursDuplication)
{
    const QString templ = file(u"t.zet"_s, kTemplate), data = file(u"d.xml"_s, kThreeRows);
    const ProgramRun plain = zetview({ "info", templ, data });
    EXPECT_TRUE(plain.out.startsWith("pagine=2 record=4 valori=3 CreaReport=")) << plain.err.constData();
    zetview({ "settings", "set", "--user", "Prova", "<CopieXML>2</CopieXML>" });
    EXPECT_TRUE(zetview({ "info", templ, data }).out.startsWith("pagine=3 record=7 valori=6 "));
}

TEST_F(CommandLineTest, DumpPrintsOneJsonObjectOfFilesReadAsUtf8OrLatin1)
{
    const QString templ = file(u"t.zet"_s, kTemplate);
    // Not UTF-8: read one character per byte.
    const QString data = file(u"d.xml"_s, "<Report><Row><Nome>Citt\xe0</Nome></Row></Report>");
    const QJsonObject laid = QJsonDocument::fromJson(zetview({ "dump", templ, data }).out).object();
    EXPECT_EQ(laid[u"ReportName"_s].toString(), u"Prova"_s);
    EXPECT_EQ(laid[u"Pages"_s].toArray().size(), 1);
    EXPECT_EQ(laid[u"Values"_s][0][u"Value"_s].toString(), u"Città"_s);
    const QJsonObject bare
        = QJsonDocument::fromJson(zetview({ "dump", "--no-layout", templ, data }).out).object();
    EXPECT_TRUE(bare[u"Pages"_s].toArray().isEmpty());
    EXPECT_EQ(bare[u"Records"_s].toArray().size(), 2);
}

TEST_F(CommandLineTest, ErrorsNameTheirCauseAndSetTheExitStatus)
{
    const QString missing = dir_.filePath(u"manca.zet"_s);
    const QString bad = file(u"bad.zet"_s, "<ZETVersion>&HFFFFFFFFF</ZETVersion>");
    // Arguments, exit status, the start of the error ("*": a part of it).
    const std::tuple<QStringList, int, QByteArray> rows[] = {
        { { "dump", missing, missing }, 2, "*manca.zet" },
        { { "info", bad, bad }, 1, "zetview: error 6: " },
        // Qt's own warnings about the file do not come before ours.
        { { "export", "--format", "pdf", example("elenco.zet"), example("elenco.xml"), "-o",
              "/nonexistent-folder/elenco.pdf" },
            2, "zetview: export: " },
        // A folder is refused as the output rather than written beside.
        { { "export", "--format", "png", example("elenco.zet"), example("elenco.xml"), "-o", dir_.path() }, 2,
            "*è una cartella" },
        { { "export", "--format", "pdf", example("elenco.zet"), example("elenco.xml"), "-o", dir_.path() }, 2,
            "*è una cartella" },
    };
    for (const auto &[args, status, message] : rows) {
        const ProgramRun failed = zetview(args);
        EXPECT_EQ(failed.status, status) << qPrintable(args.join(u' '));
        EXPECT_TRUE(
            message.startsWith('*') ? failed.err.contains(message.mid(1)) : failed.err.startsWith(message))
            << failed.err.constData();
    }
    EXPECT_FALSE(QFile::exists(dir_.path() + u"-1"_s));
    EXPECT_EQ(
        zetview({ "info", "", "" }).err, "zetview: impossibile leggere il modello : nessun nome di file\n");
    for (const QStringList &usage :
        { QStringList { "frobnicate" }, { "info", "only-one" },
            { "settings", "get", "--somewhere", "Elenco" }, { "settings", "set", "--user", "", "x" },
            { "settings", "delete", "--machine", "" }, { "export", "--format", "svg", "a", "b", "-o", "c" } })
        EXPECT_EQ(zetview(usage).status, 64) << qPrintable(usage.join(u' '));
}

TEST_F(CommandLineTest, EveryCommandRefusesATemplateThatCannotMakeAPage)
{
    const QString data = file(u"d.xml"_s, "<Report><Row><Nome>A</Nome></Row></Report>");
    const std::pair<QByteArray, const char *> rows[] = {
        { " \n", "il modello è vuoto" },
        { "<ZET>" + kTemplate, "il modello non è chiuso: dopo <ZET> manca </ZET>" },
        { "<Nome>Elenco</Nome>", "il modello non indica le dimensioni della pagina (Larghezza e Altezza)" },
        { "<Altezza>-1</Altezza>" + kTemplate, "le dimensioni della pagina del modello non sono valide" },
        { "<ZETVersion>2</ZETVersion>" + kTemplate, "il modello è di versione 2 (ZETVersion)" },
    };
    const QString pdf = dir_.filePath(u"out.pdf"_s);
    for (const auto &[content, message] : rows) {
        const QString templ = file(u"t.zet"_s, content);
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
    const QString pdf = dir_.filePath(u"fattura.pdf"_s);
    const ProgramRun exported
        = zetview({ "export", "--format", "pdf", example("fattura.zet"), example("fattura.xml"), "-o", pdf });
    ASSERT_EQ(exported.status, 0) << exported.err.constData();
    // A4 is 11906 x 16838 twips: 595 x 842 points.
    const QString info = QString::fromUtf8(run(u"pdfinfo"_s, { pdf }).out);
    EXPECT_TRUE(info.contains(QRegularExpression(u"Page size: +595(\\.\\d+)? x 842(\\.\\d+)? pts"_s)))
        << qPrintable(info);
    const QString text = QString::fromUtf8(run(u"pdftotext"_s, { "-layout", pdf, "-" }).out);
    EXPECT_TRUE(text.contains(u"Rossi Meccanica S.p.A."_s)) << qPrintable(text.left(2000));
    EXPECT_TRUE(text.contains(QRegularExpression(u"Pagina 1 di \\d"_s)));
}

TEST_F(CommandLineTest, ExportWritesOnePngPerPageAtTheChosenResolution)
{
    const ProgramRun exported = zetview({ "export", "--format", "png", "--dpi", "48",
        file(u"t.zet"_s, kTemplate), file(u"d.xml"_s, kThreeRows), "-o", dir_.filePath(u"e.png"_s) });
    ASSERT_EQ(exported.status, 0) << exported.err.constData();
    // 11906 x 3000 twips at 48 dpi, on each of the two pages.
    EXPECT_EQ(QImage(dir_.filePath(u"e-1.png"_s)).size(), QSize(397, 100));
    EXPECT_EQ(QImage(dir_.filePath(u"e-2.png"_s)).size(), QSize(397, 100));
    EXPECT_FALSE(QFile::exists(dir_.filePath(u"e-3.png"_s)));
}

TEST(UserGuide, NamesEveryKeyOfTheVocabularyAndNoOther)
{
    QSet<QString> vocabulary;
    for (QLatin1String key : zet::key::kTemplateKeys)
        vocabulary.insert(key);
    for (QLatin1String key : zet::key::kStructureKeyPrefixes)
        vocabulary.insert(key);
    for (QLatin1String key : zet::key::kDataKeys)
        vocabulary.insert(key);
    const QSet<QString> documented = keysInTables("template-format.md") | keysInTables("data-format.md");
    QStringList undocumented = (vocabulary - documented).values();
    QStringList unknown = (documented - vocabulary).values();
    undocumented.sort();
    unknown.sort();
    EXPECT_TRUE(undocumented.isEmpty())
        << "keys missing from the guide: " << qPrintable(undocumented.join(u' '));
    EXPECT_TRUE(unknown.isEmpty()) << "guide keys not in the vocabulary: " << qPrintable(unknown.join(u' '));
}
