#include "settings/SettingsStore.h"

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
    static QSettings store(QSettings::Scope scope)
    {
        return QSettings(QSettings::NativeFormat, scope, "Tarvisol", "ZETView");
    }

    QTemporaryDir dir_;
};

} // namespace

TEST_F(SettingsStoreTest, RootsAreSeparateAndNamesMatchInAnyCaseWithSeparators)
{
    EXPECT_TRUE(write(CurrentUser, "Fattura", "<CopieXML>2</CopieXML>"));
    EXPECT_TRUE(write(LocalMachine, "\\\\server/HP 5%", "x", EmptyText::Delete, ValueKind::MultiString));
    EXPECT_EQ(read(CurrentUser, "FATTURA"), "<CopieXML>2</CopieXML>");
    EXPECT_EQ(read(LocalMachine, "Fattura"), QString());
    EXPECT_EQ(read(LocalMachine, "\\\\SERVER/hp 5%"), "x");
    // Writing through another letter case replaces the same value.
    write(LocalMachine, "\\\\SERVER/HP 5%", "y");
    EXPECT_EQ(store(QSettings::SystemScope).allKeys().size(), 1);
}

TEST_F(SettingsStoreTest, EmptyTextDeletesOnlyWhenAsked)
{
    QSettings user = store(QSettings::UserScope);
    write(CurrentUser, "Elenco", "<Copie>3</Copie>");
    EXPECT_TRUE(write(CurrentUser, "Elenco", QString(), EmptyText::Store));
    user.sync();
    EXPECT_TRUE(user.contains("Elenco"));
    EXPECT_TRUE(write(CurrentUser, "Elenco", QString()));
    user.sync();
    EXPECT_FALSE(user.contains("Elenco"));
    // An empty name is no value: deleting it must not take the others along.
    write(CurrentUser, "Fattura", "x");
    EXPECT_FALSE(write(CurrentUser, QString(), QString()) || write(CurrentUser, QString(), "y"));
    EXPECT_EQ(read(CurrentUser, "Fattura"), "x");
}

TEST_F(SettingsStoreTest, ValuesOfOtherTypesReadAsText)
{
    {
        QSettings user = store(QSettings::UserScope);
        user.setValue("Numero", 42);
        user.setValue("Multi", QStringList { "a", "b" });
        user.setValue("Binario", QByteArray("\x01\xff", 2));
        user.setValue("Espandibile", "@Expand(%ZET_TEST_DIR%\\report %ZET_NO_SUCH%)");
    }
    qputenv("ZET_TEST_DIR", "C:\\Dati");
    EXPECT_EQ(QStringList({ read(CurrentUser, "Numero"), read(CurrentUser, "Multi"),
                  read(CurrentUser, "Binario"), read(CurrentUser, "Espandibile") }),
        QStringList({ "42", QString("a") + QChar(0) + "b", QString(QChar(1)) + QChar(0xff) + QChar(0),
            "C:\\Dati\\report %ZET_NO_SUCH%" }));
}

TEST_F(SettingsStoreTest, AStoreThatCannotBeWrittenIsAFailure)
{
    // The store's folder is a plain file, so the settings file cannot be made.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, ZET_SOURCE_DIR "/CMakeLists.txt");
    EXPECT_FALSE(write(CurrentUser, "Fattura", "x"));
}
