#include "platform/UserDefaults.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

using platform::UserDefaults;

namespace {

class UserDefaultsTest : public ::testing::Test {
protected:
    QString path() const { return dir.filePath(QStringLiteral("user-defaults.json")); }

    void writeFile(const QByteArray& content) const
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QByteArray readFile(const QString& name) const
    {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

TEST_F(UserDefaultsTest, ValuesKeepTheirTypesAcrossReopening)
{
    const QDateTime when = QDateTime::fromString(QStringLiteral("2024-03-01T12:34:56.789Z"), Qt::ISODateWithMs);
    {
        UserDefaults defaults(path());
        EXPECT_TRUE(defaults.setValue(QStringLiteral("flag"), true));
        EXPECT_TRUE(defaults.setValue(QStringLiteral("count"), std::numeric_limits<qint64>::max()));
        EXPECT_TRUE(defaults.setValue(QStringLiteral("ratio"), 0.25));
        EXPECT_TRUE(defaults.setValue(QStringLiteral("name"), QStringLiteral("true")));
        EXPECT_TRUE(defaults.setValue(QStringLiteral("bytes"), QByteArray("\0\1\2", 3)));
        EXPECT_TRUE(defaults.setValue(QStringLiteral("when"), when));
    }
    UserDefaults reopened(path());
    EXPECT_EQ(reopened.value(QStringLiteral("flag")).typeId(), QMetaType::Bool);
    EXPECT_TRUE(reopened.value(QStringLiteral("flag")).toBool());
    EXPECT_EQ(reopened.value(QStringLiteral("count")).toLongLong(), std::numeric_limits<qint64>::max());
    EXPECT_EQ(reopened.value(QStringLiteral("ratio")).typeId(), QMetaType::Double);
    EXPECT_EQ(reopened.value(QStringLiteral("name")).typeId(), QMetaType::QString);
    EXPECT_EQ(reopened.value(QStringLiteral("bytes")).toByteArray(), QByteArray("\0\1\2", 3));
    EXPECT_EQ(reopened.value(QStringLiteral("when")).toDateTime(), when);
}

TEST_F(UserDefaultsTest, ANumberOrATextIsNotABoolean)
{
    {
        UserDefaults defaults(path());
        defaults.setValue(QStringLiteral("one"), 1);
        defaults.setValue(QStringLiteral("text"), QStringLiteral("true"));
    }
    UserDefaults reopened(path());
    EXPECT_NE(reopened.value(QStringLiteral("one")).typeId(), QMetaType::Bool);
    EXPECT_NE(reopened.value(QStringLiteral("text")).typeId(), QMetaType::Bool);
}

TEST_F(UserDefaultsTest, RemovedValueIsAbsentAfterReopening)
{
    {
        UserDefaults defaults(path());
        defaults.setValue(QStringLiteral("flag"), true);
        EXPECT_TRUE(defaults.removeValue(QStringLiteral("flag")));
    }
    EXPECT_FALSE(UserDefaults(path()).value(QStringLiteral("flag")).isValid());
}

TEST_F(UserDefaultsTest, UnsupportedTypeIsRefusedAndNotStored)
{
    UserDefaults defaults(path());
    EXPECT_FALSE(defaults.setValue(QStringLiteral("list"), QStringList{QStringLiteral("a")}));
    EXPECT_FALSE(defaults.value(QStringLiteral("list")).isValid());
}

TEST_F(UserDefaultsTest, WriteCreatesMissingFolders)
{
    const QString nested = dir.filePath(QStringLiteral("a/b/user-defaults.json"));
    EXPECT_TRUE(UserDefaults(nested).setValue(QStringLiteral("flag"), false));
    EXPECT_EQ(UserDefaults(nested).value(QStringLiteral("flag")).typeId(), QMetaType::Bool);
}

TEST_F(UserDefaultsTest, CorruptFileIsKeptAsideNotOverwritten)
{
    const QByteArray garbage("{\"format\": 1, \"values\": {\"KeyOfDidShowGuide\"");
    writeFile(garbage);

    UserDefaults defaults(path());
    EXPECT_FALSE(defaults.value(QStringLiteral("KeyOfDidShowGuide")).isValid());
    ASSERT_FALSE(defaults.corruptFileBackupPath().isEmpty());
    EXPECT_EQ(readFile(defaults.corruptFileBackupPath()), garbage);

    EXPECT_TRUE(defaults.setValue(QStringLiteral("KeyOfDidShowGuide"), true));
    EXPECT_EQ(readFile(defaults.corruptFileBackupPath()), garbage);
    EXPECT_TRUE(UserDefaults(path()).value(QStringLiteral("KeyOfDidShowGuide")).toBool());
}

TEST_F(UserDefaultsTest, SecondCorruptFileDoesNotReplaceTheFirstBackup)
{
    writeFile("first");
    const QString firstBackup = UserDefaults(path()).corruptFileBackupPath();
    writeFile("second");
    const QString secondBackup = UserDefaults(path()).corruptFileBackupPath();
    EXPECT_NE(firstBackup, secondBackup);
    EXPECT_EQ(readFile(firstBackup), "first");
    EXPECT_EQ(readFile(secondBackup), "second");
}

TEST_F(UserDefaultsTest, JsonOfAnotherShapeCountsAsCorrupt)
{
    writeFile("[true]");
    UserDefaults defaults(path());
    EXPECT_FALSE(defaults.corruptFileBackupPath().isEmpty());
}

TEST_F(UserDefaultsTest, EntriesOfUnknownTypeSurviveOtherWrites)
{
    writeFile(R"({"format": 1, "values": {
        "future": {"type": "colour", "value": "#ff0000"},
        "broken": {"type": "bool", "value": "yes"},
        "flag": {"type": "bool", "value": true}}})");
    {
        UserDefaults defaults(path());
        EXPECT_FALSE(defaults.value(QStringLiteral("future")).isValid());
        EXPECT_FALSE(defaults.value(QStringLiteral("broken")).isValid()); // a text tagged Boolean is no Boolean
        EXPECT_TRUE(defaults.corruptFileBackupPath().isEmpty());
        defaults.setValue(QStringLiteral("other"), 2);
    }
    const QByteArray saved = readFile(path());
    EXPECT_TRUE(saved.contains("\"colour\""));
    EXPECT_TRUE(saved.contains("\"yes\""));
    EXPECT_TRUE(UserDefaults(path()).value(QStringLiteral("flag")).toBool());
}

TEST_F(UserDefaultsTest, SettingAKeyOfUnknownTypeReplacesIt)
{
    writeFile(R"({"format": 1, "values": {"KeyOfDidShowGuide": {"type": "colour", "value": 1}}})");
    {
        UserDefaults defaults(path());
        defaults.setValue(QStringLiteral("KeyOfDidShowGuide"), true);
    }
    EXPECT_FALSE(readFile(path()).contains("colour"));
    EXPECT_EQ(UserDefaults(path()).value(QStringLiteral("KeyOfDidShowGuide")).typeId(), QMetaType::Bool);
}

TEST_F(UserDefaultsTest, FailedWriteIsReportedAndKeepsTheValueInMemory)
{
    // A folder where the file should be: nothing can be written there.
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("user-defaults.json")));
    UserDefaults defaults(path());
    EXPECT_FALSE(defaults.setValue(QStringLiteral("flag"), true));
    EXPECT_TRUE(defaults.value(QStringLiteral("flag")).toBool());
}

TEST(UserDefaultsService, ReplacedDefaultsAreTheOnesReturned)
{
    QTemporaryDir dir;
    auto own = std::make_unique<UserDefaults>(dir.filePath(QStringLiteral("d.json")));
    UserDefaults* raw = own.get();
    platform::setUserDefaults(std::move(own));
    EXPECT_EQ(&platform::userDefaults(), raw);
    platform::setUserDefaults(nullptr);
    EXPECT_TRUE(platform::userDefaults().filePath().endsWith(QStringLiteral("/user-defaults.json")));
}

} // namespace
