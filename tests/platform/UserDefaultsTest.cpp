#include "platform/UserDefaults.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// Regression: every change to a read-only configuration folder printed its own
// "cannot write" line that named the file's temporary copy's error, not the cause.
TEST_F(UserDefaultsTest, ReadOnlyFolderIsNamedAsTheCauseOnce)
{
    const QString folder = dir.filePath(QStringLiteral("config"));
    ASSERT_TRUE(QDir().mkpath(folder));
    constexpr uid_t nobody = 65534;
    // The superuser writes anywhere: the writes run in a child that is nobody.
    ASSERT_EQ(chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    if (geteuid() == 0) {
        ASSERT_EQ(chown(QFile::encodeName(folder).constData(), nobody, nobody), 0);
    }
    ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0555), 0);

    int output[2];
    ASSERT_EQ(pipe(output), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(output[0]);
        if (geteuid() == 0 && (setgid(nobody) != 0 || setuid(nobody) != 0))
            _exit(77);
        static int warnings = -1;
        warnings = output[1];
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& message) {
            const QByteArray line = message.toUtf8() + '\n';
            [[maybe_unused]] const auto written = write(warnings, line.constData(), line.size());
        });
        UserDefaults defaults(folder + QStringLiteral("/user-defaults.json"));
        bool allRefused = true;
        for (int i = 0; i < 3; ++i)
            allRefused = !defaults.setValue(QStringLiteral("count"), i) && allRefused;
        _exit(allRefused && defaults.value(QStringLiteral("count")).toInt() == 2 ? 0 : 1);
    }
    close(output[1]);
    QByteArray printed;
    char buffer[512];
    for (ssize_t n; (n = read(output[0], buffer, sizeof buffer)) > 0;)
        printed.append(buffer, n);
    close(output[0]);
    int status = 0;
    waitpid(child, &status, 0);
    chmod(QFile::encodeName(folder).constData(), 0755);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "cannot become an unprivileged user";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "writes reported as done, or the value was not kept";
    const QList<QByteArray> lines = printed.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 1) << printed.constData();
    EXPECT_TRUE(lines[0].contains("the folder " + QFile::encodeName(folder) + " is read-only")) << printed.constData();
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
