#include "settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zet;

namespace {

class SettingsStoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        QSettings::setPath(
            QSettings::NativeFormat, QSettings::UserScope, dir_.filePath(QStringLiteral("user")));
        QSettings::setPath(
            QSettings::NativeFormat, QSettings::SystemScope, dir_.filePath(QStringLiteral("system")));
    }

    QString write(RegistryRoot root, const QString &name, const QString &text)
    {
        EXPECT_EQ(writeRegistryValue(root, kZetViewKeyPath, name, text, true, false), 0);
        return readRegistryValue(root, kZetViewKeyPath, name);
    }

    QTemporaryDir dir_;
};

} // namespace

TEST_F(SettingsStoreTest, UserAndMachineValuesAreSeparate)
{
    EXPECT_EQ(
        write(RegistryRoot::CurrentUser, QStringLiteral("Fattura"), QStringLiteral("<CopieXML>2</CopieXML>")),
        QStringLiteral("<CopieXML>2</CopieXML>"));
    EXPECT_EQ(
        readRegistryValue(RegistryRoot::LocalMachine, kZetViewKeyPath, QStringLiteral("Fattura")), QString());
    EXPECT_EQ(write(RegistryRoot::LocalMachine, QStringLiteral("PDF"),
                  QStringLiteral("<ImageBuffer>1</ImageBuffer>")),
        QStringLiteral("<ImageBuffer>1</ImageBuffer>"));
    EXPECT_EQ(
        readRegistryValue(RegistryRoot::CurrentUser, kZetViewKeyPath, QStringLiteral("PDF")), QString());
}

TEST_F(SettingsStoreTest, NamesMatchWithoutRegardToCaseAndMayHoldSeparators)
{
    write(RegistryRoot::LocalMachine, QStringLiteral("\\\\server/HP LaserJet 5%"), QStringLiteral("x"));
    EXPECT_EQ(readRegistryValue(
                  RegistryRoot::LocalMachine, kZetViewKeyPath, QStringLiteral("\\\\SERVER/hp laserjet 5%")),
        QStringLiteral("x"));
    // Writing through another letter case replaces the same value.
    write(RegistryRoot::LocalMachine, QStringLiteral("\\\\SERVER/HP LASERJET 5%"), QStringLiteral("y"));
    QSettings machine(QSettings::NativeFormat, QSettings::SystemScope, QStringLiteral("Tarvisol"),
        QStringLiteral("ZETView"));
    EXPECT_EQ(machine.allKeys().size(), 1);
}

TEST_F(SettingsStoreTest, EmptyTextDeletesOnlyWhenAsked)
{
    write(RegistryRoot::CurrentUser, QStringLiteral("Elenco"), QStringLiteral("<Copie>3</Copie>"));
    EXPECT_EQ(writeRegistryValue(RegistryRoot::CurrentUser, kZetViewKeyPath, QStringLiteral("Elenco"),
                  QString(), false, false),
        0);
    QSettings user(
        QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tarvisol"), QStringLiteral("ZETView"));
    EXPECT_TRUE(user.contains(QStringLiteral("Elenco")));
    EXPECT_EQ(write(RegistryRoot::CurrentUser, QStringLiteral("Elenco"), QString()), QString());
    user.sync();
    EXPECT_FALSE(user.contains(QStringLiteral("Elenco")));
}

TEST_F(SettingsStoreTest, ValuesOfOtherTypesReadAsText)
{
    {
        QSettings user(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tarvisol"),
            QStringLiteral("ZETView"));
        user.setValue(QStringLiteral("Numero"), 42);
        user.setValue(QStringLiteral("Multi"), QStringList { QStringLiteral("a"), QStringLiteral("b") });
        user.setValue(QStringLiteral("Binario"), QByteArray("\x01\xff", 2));
        user.setValue(QStringLiteral("Espandibile"), QStringLiteral("@Expand(%ZET_TEST_DIR%\\report)"));
        user.setValue(QStringLiteral("Sconosciuto"), QStringLiteral("@Expand(%ZET_NO_SUCH_VARIABLE%)"));
    }
    qputenv("ZET_TEST_DIR", "C:\\Dati");
    auto read = [](const char *name) {
        return readRegistryValue(RegistryRoot::CurrentUser, kZetViewKeyPath, QString::fromLatin1(name));
    };
    EXPECT_EQ(read("Numero"), QStringLiteral("42"));
    EXPECT_EQ(read("Multi"), QStringLiteral("a") + QChar(0) + QStringLiteral("b"));
    EXPECT_EQ(read("Binario"), QString(QChar(1)) + QChar(0xff) + QChar(0));
    EXPECT_EQ(read("Espandibile"), QStringLiteral("C:\\Dati\\report"));
    EXPECT_EQ(read("Sconosciuto"), QStringLiteral("%ZET_NO_SUCH_VARIABLE%"));
}

TEST_F(SettingsStoreTest, MultiStringValuesReadBackAsWritten)
{
    EXPECT_EQ(writeRegistryValue(RegistryRoot::LocalMachine, kZetViewKeyPath, QStringLiteral("PDF"),
                  QStringLiteral("<ImageBuffer>1</ImageBuffer><PageBuffer>0</PageBuffer>"), true, true),
        0);
    EXPECT_EQ(readRegistryValue(RegistryRoot::LocalMachine, kZetViewKeyPath, QStringLiteral("PDF")),
        QStringLiteral("<ImageBuffer>1</ImageBuffer><PageBuffer>0</PageBuffer>"));
}

TEST_F(SettingsStoreTest, AStoreThatCannotBeWrittenReportsFive)
{
    QFile blocker(dir_.filePath(QStringLiteral("blocked")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    // The store's folder is a plain file, so the settings file cannot be made.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, blocker.fileName());
    EXPECT_EQ(writeRegistryValue(RegistryRoot::CurrentUser, kZetViewKeyPath, QStringLiteral("Fattura"),
                  QStringLiteral("x"), true, false),
        5);
}
