#include "settings/SettingsStore.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zet;
using enum zet::RegistryRoot;

namespace {

// Both roots redirected into a folder of the test's own.
class SettingsStoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (QSettings::Scope scope : { QSettings::UserScope, QSettings::SystemScope })
            QSettings::setPath(QSettings::NativeFormat, scope, dir_.filePath(QString::number(scope)));
    }

    static QString read(RegistryRoot root, const QString &name)
    {
        return readRegistryValue(root, kZetViewKeyPath, name);
    }
    static bool write(RegistryRoot root, const QString &name, const QString &text,
        EmptyText empty = EmptyText::Delete, ValueKind kind = ValueKind::String)
    {
        return writeRegistryValue(root, kZetViewKeyPath, name, text, empty, kind);
    }

    QTemporaryDir dir_;
};

} // namespace

TEST_F(SettingsStoreTest, RootsAreSeparateAndNamesMatchInAnyCaseWithSeparators)
{
    EXPECT_TRUE(write(CurrentUser, QStringLiteral("Fattura"), QStringLiteral("<CopieXML>2</CopieXML>")));
    EXPECT_TRUE(write(LocalMachine, QStringLiteral("\\\\server/HP 5%"), QStringLiteral("x"),
        EmptyText::Delete, ValueKind::MultiString));
    EXPECT_EQ(read(CurrentUser, QStringLiteral("FATTURA")), QStringLiteral("<CopieXML>2</CopieXML>"));
    EXPECT_EQ(read(LocalMachine, QStringLiteral("Fattura")), QString());
    EXPECT_EQ(read(LocalMachine, QStringLiteral("\\\\SERVER/hp 5%")), QStringLiteral("x"));
    // Writing through another letter case replaces the same value.
    write(LocalMachine, QStringLiteral("\\\\SERVER/HP 5%"), QStringLiteral("y"));
    EXPECT_EQ(
        QSettings(QSettings::NativeFormat, QSettings::SystemScope, "Tarvisol", "ZETView").allKeys().size(),
        1);
}

TEST_F(SettingsStoreTest, EmptyTextDeletesOnlyWhenAsked)
{
    QSettings user(QSettings::NativeFormat, QSettings::UserScope, "Tarvisol", "ZETView");
    write(CurrentUser, QStringLiteral("Elenco"), QStringLiteral("<Copie>3</Copie>"));
    EXPECT_TRUE(write(CurrentUser, QStringLiteral("Elenco"), QString(), EmptyText::Store));
    user.sync();
    EXPECT_TRUE(user.contains(QStringLiteral("Elenco")));
    EXPECT_TRUE(write(CurrentUser, QStringLiteral("Elenco"), QString()));
    user.sync();
    EXPECT_FALSE(user.contains(QStringLiteral("Elenco")));
    // An empty name is no value: deleting it must not take the others along.
    write(CurrentUser, QStringLiteral("Fattura"), QStringLiteral("x"));
    EXPECT_FALSE(write(CurrentUser, QString(), QString()));
    EXPECT_FALSE(write(CurrentUser, QString(), QStringLiteral("y")));
    EXPECT_EQ(read(CurrentUser, QStringLiteral("Fattura")), QStringLiteral("x"));
}

TEST_F(SettingsStoreTest, ValuesOfOtherTypesReadAsText)
{
    {
        QSettings user(QSettings::NativeFormat, QSettings::UserScope, "Tarvisol", "ZETView");
        user.setValue(QStringLiteral("Numero"), 42);
        user.setValue(QStringLiteral("Multi"), QStringList { QStringLiteral("a"), QStringLiteral("b") });
        user.setValue(QStringLiteral("Binario"), QByteArray("\x01\xff", 2));
        user.setValue(
            QStringLiteral("Espandibile"), QStringLiteral("@Expand(%ZET_TEST_DIR%\\report %ZET_NO_SUCH%)"));
    }
    qputenv("ZET_TEST_DIR", "C:\\Dati");
    EXPECT_EQ(read(CurrentUser, QStringLiteral("Numero")), QStringLiteral("42"));
    EXPECT_EQ(
        read(CurrentUser, QStringLiteral("Multi")), QStringLiteral("a") + QChar(0) + QStringLiteral("b"));
    EXPECT_EQ(read(CurrentUser, QStringLiteral("Binario")), QString(QChar(1)) + QChar(0xff) + QChar(0));
    EXPECT_EQ(
        read(CurrentUser, QStringLiteral("Espandibile")), QStringLiteral("C:\\Dati\\report %ZET_NO_SUCH%"));
}

TEST_F(SettingsStoreTest, AStoreThatCannotBeWrittenIsAFailure)
{
    // The store's folder is a plain file, so the settings file cannot be made.
    QSettings::setPath(
        QSettings::NativeFormat, QSettings::UserScope, QStringLiteral(ZET_SOURCE_DIR "/CMakeLists.txt"));
    EXPECT_FALSE(write(CurrentUser, QStringLiteral("Fattura"), QStringLiteral("x")));
}
