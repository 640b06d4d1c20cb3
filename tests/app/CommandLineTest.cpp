#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ProgramRun
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

class CommandLineTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    ProgramRun zetview(const QStringList &args)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir_.filePath(QStringLiteral("user")));
        env.insert(QStringLiteral("XDG_CONFIG_DIRS"), dir_.filePath(QStringLiteral("machine")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(ZET_BINARY_DIR "/app/zetview"), args);
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
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

const QByteArray kTemplate = "<ZETVersion>1</ZETVersion><Nome>Elenco</Nome>"
                             "<ZET_RecordsetStruct><RecordsetStruct0><RecordsetStructName0>Report"
                             "</RecordsetStructName0><RecordsetStruct1><RecordsetStructName1>Row"
                             "</RecordsetStructName1><Field1><FieldName1>Nome</FieldName1></Field1>"
                             "</RecordsetStruct1></RecordsetStruct0></ZET_RecordsetStruct>"
                             "<Altezza>3000</Altezza><Larghezza>11906</Larghezza>"
                             "<MargineSuperiore>500</MargineSuperiore><MargineInferiore>500</MargineInferiore>"
                             "<CorpoDati>-1</CorpoDati><AltezzaCorpoDati>1000</AltezzaCorpoDati>";

} // namespace

TEST_F(CommandLineTest, SettingsAreWrittenReadAndDeletedPerScope)
{
    EXPECT_EQ(zetview({"settings", "set", "--user", "Elenco", "<CopieXML>2</CopieXML>"}).status, 0);
    EXPECT_EQ(zetview({"settings", "get", "--user", "elenco"}).out, QByteArray("<CopieXML>2</CopieXML>\n"));
    EXPECT_EQ(zetview({"settings", "get", "--machine", "Elenco"}).out, QByteArray("\n"));
    EXPECT_EQ(zetview({"settings", "delete", "--user", "Elenco"}).status, 0);
    EXPECT_EQ(zetview({"settings", "get", "--user", "Elenco"}).out, QByteArray("\n"));
    EXPECT_EQ(zetview({"settings", "get", "--somewhere", "Elenco"}).status, 64);
}

TEST_F(CommandLineTest, InfoCountsPagesRecordsAndValuesAndHonoursDuplication)
{
    const QString templ = file(QStringLiteral("elenco.zet"), kTemplate);
    const QString data
        = file(QStringLiteral("elenco.xml"), "<Report><Row><Nome>A</Nome></Row><Row><Nome>B</Nome></Row>"
                                             "<Row><Nome>C</Nome></Row></Report>");
    ProgramRun plain = zetview({"info", templ, data});
    ASSERT_EQ(plain.status, 0) << plain.err.constData();
    // Two rows of 1000 twips fit between margins of 500 on a 3000 page.
    EXPECT_TRUE(plain.out.startsWith("pagine=2 record=4 valori=3 CreaReport=")) << plain.out.constData();

    zetview({"settings", "set", "--user", "Elenco", "<CopieXML>2</CopieXML>"});
    ProgramRun doubled = zetview({"info", templ, data});
    EXPECT_TRUE(doubled.out.startsWith("pagine=3 record=7 valori=6 ")) << doubled.out.constData();
}

TEST_F(CommandLineTest, DumpPrintsOneJsonObject)
{
    const QString templ = file(QStringLiteral("t.zet"), kTemplate);
    const QString data = file(QStringLiteral("d.xml"), "<Report><Row><Nome>A</Nome></Row></Report>");
    ProgramRun laid = zetview({"dump", templ, data});
    ASSERT_EQ(laid.status, 0) << laid.err.constData();
    QJsonParseError error;
    const QJsonObject doc = QJsonDocument::fromJson(laid.out, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    EXPECT_EQ(doc.value(QStringLiteral("ReportName")).toString(), QStringLiteral("Elenco"));
    EXPECT_EQ(doc.value(QStringLiteral("Pages")).toArray().size(), 1);

    ProgramRun unlaid = zetview({"dump", "--no-layout", templ, data});
    const QJsonObject bare = QJsonDocument::fromJson(unlaid.out).object();
    EXPECT_TRUE(bare.value(QStringLiteral("Pages")).toArray().isEmpty());
    EXPECT_EQ(bare.value(QStringLiteral("Records")).toArray().size(), 2);
}

TEST_F(CommandLineTest, ErrorsNameTheFileAndSetTheExitStatus)
{
    const QString missing = dir_.filePath(QStringLiteral("manca.zet"));
    ProgramRun unreadable = zetview({"dump", missing, missing});
    EXPECT_EQ(unreadable.status, 2);
    EXPECT_TRUE(unreadable.err.contains("manca.zet"));

    const QString bad = file(QStringLiteral("bad.zet"), "<ZETVersion>&HFFFFFFFFF</ZETVersion>");
    ProgramRun overflow = zetview({"info", bad, bad});
    EXPECT_EQ(overflow.status, 1);
    EXPECT_TRUE(overflow.err.startsWith("zetview: error 6: ")) << overflow.err.constData();

    EXPECT_EQ(zetview({"frobnicate"}).status, 64);
    EXPECT_EQ(zetview({"info", "only-one"}).status, 64);
}
