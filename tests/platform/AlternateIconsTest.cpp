#include "platform/AlternateIcons.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

QIcon filled(const QColor& color)
{
    QPixmap pixmap(64, 64);
    pixmap.fill(color);
    return QIcon(pixmap);
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The icons of an app, with the user's folders in a fresh temporary home.
class AlternateIconsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedHome_ = qgetenv("HOME");
        savedData_ = qgetenv("XDG_DATA_HOME");
        savedDataDirs_ = qgetenv("XDG_DATA_DIRS");
        qputenv("HOME", home_.path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", home_.filePath("data").toLocal8Bit());
        qputenv("XDG_DATA_DIRS", (home_.filePath("usr/local/share") + ':' + home_.filePath("usr/share")).toLocal8Bit());
        icons_.setStandardIcon("cellarium", filled(Qt::green));
        icons_.addAlternateIcon("OtherAppIcon", "cellarium-OtherAppIcon", filled(Qt::blue));
    }
    void TearDown() override
    {
        qputenv("HOME", savedHome_);
        if (savedData_.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", savedData_);
        if (savedDataDirs_.isNull())
            qunsetenv("XDG_DATA_DIRS");
        else
            qputenv("XDG_DATA_DIRS", savedDataDirs_);
    }

    std::optional<QString> change(const std::optional<QString>& name)
    {
        std::optional<QString> result = QStringLiteral("no completion");
        icons_.setAlternateIconName(name, [&result](std::optional<QString> error) { result = error; });
        return result;
    }

    QTemporaryDir home_;
    QByteArray savedHome_, savedData_, savedDataDirs_;
    platform::AlternateIcons icons_;
};

}  // namespace

TEST_F(AlternateIconsTest, ChoosingAnIconCreatesTheDesktopEntryAndInstallsTheIcon)
{
    ASSERT_TRUE(icons_.supportsAlternateIcons());
    const QString entry = icons_.desktopEntryPath();
    EXPECT_TRUE(entry.startsWith(home_.path())) << entry.toStdString();
    ASSERT_FALSE(QFileInfo::exists(entry));

    EXPECT_EQ(change(QStringLiteral("OtherAppIcon")), std::nullopt);
    const QByteArray text = readAll(entry);
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nIcon=cellarium-OtherAppIcon\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nType=Application\n"));
    EXPECT_TRUE(text.contains(
        "\nExec=" + platform::AlternateIcons::desktopEntryExec(QCoreApplication::applicationFilePath()).toUtf8() + "\n"));
    EXPECT_EQ(icons_.alternateIconName(), QString("OtherAppIcon"));
    const QImage installed(QDir(icons_.iconFolder()).filePath("cellarium-OtherAppIcon.png"));
    ASSERT_FALSE(installed.isNull());
    EXPECT_EQ(installed.pixelColor(installed.width() / 2, installed.height() / 2), QColor(Qt::blue));
    EXPECT_EQ(QGuiApplication::windowIcon().pixmap(16).toImage().pixelColor(8, 8), QColor(Qt::blue));
}

TEST_F(AlternateIconsTest, BackToTheStandardIconRewritesOnlyTheIconLine)
{
    const QString entry = icons_.desktopEntryPath();
    QDir().mkpath(QFileInfo(entry).absolutePath());
    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("# mine\n[Desktop Entry]\nName=Cellarium\nIcon=old\nExec=cellarium --scale 2\n\n[Desktop Action x]\nIcon=keep\n");
    file.close();

    EXPECT_EQ(change(std::nullopt), std::nullopt);
    EXPECT_EQ(readAll(entry),
              "# mine\n[Desktop Entry]\nName=Cellarium\nIcon=cellarium\nExec=cellarium --scale 2\n\n[Desktop Action x]\nIcon=keep\n");
    EXPECT_EQ(icons_.alternateIconName(), std::nullopt);
}

TEST_F(AlternateIconsTest, AnEntryWithoutAnIconLineGetsOneInItsMainGroup)
{
    const QString entry = icons_.desktopEntryPath();
    QDir().mkpath(QFileInfo(entry).absolutePath());
    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Desktop Entry]\nName=Cellarium\n\n[Desktop Action x]\nName=X\n");
    file.close();
    EXPECT_EQ(change(QStringLiteral("OtherAppIcon")), std::nullopt);
    EXPECT_EQ(readAll(entry), "[Desktop Entry]\nName=Cellarium\nIcon=cellarium-OtherAppIcon\n\n[Desktop Action x]\nName=X\n");
}

TEST_F(AlternateIconsTest, AnUnknownNameFailsAndChangesNothing)
{
    EXPECT_EQ(change(QStringLiteral("OtherAppIcon")), std::nullopt);
    const QByteArray before = readAll(icons_.desktopEntryPath());
    const std::optional<QString> error = change(QStringLiteral("NoSuchIcon"));
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->contains("NoSuchIcon"));
    EXPECT_EQ(readAll(icons_.desktopEntryPath()), before);
    EXPECT_EQ(icons_.alternateIconName(), QString("OtherAppIcon"));
}

TEST_F(AlternateIconsTest, WhereTheEntryCannotBeWrittenAlternateIconsAreNotSupported)
{
    // The data folder is a file: no entry can be made below it, whoever runs the test.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    ASSERT_TRUE(data.startsWith(home_.path()));
    QDir().mkpath(QFileInfo(data).absolutePath());
    QFile blocker(data);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(icons_.supportsAlternateIcons());
    EXPECT_TRUE(change(QStringLiteral("OtherAppIcon")).has_value());
    EXPECT_EQ(icons_.alternateIconName(), std::nullopt);
}

// The first change used to write an entry of its own, starting the running binary by
// its unquoted path, which hid the installed entry (its actions, names, categories).
TEST_F(AlternateIconsTest, TheFirstChangeCopiesTheInstalledEntryWithOnlyItsIconLineChanged)
{
    const QString name = QFileInfo(icons_.desktopEntryPath()).fileName();
    const QByteArray installed = "# packaged\n[Desktop Entry]\nType=Application\nName=Cellarium\nName[de]=Zellarium\n"
                                 "Exec=cellarium %U\nIcon=cellarium\nCategories=Game;Simulation;\nActions=new;\n\n"
                                 "[Desktop Action new]\nName=New board\nExec=cellarium --new\nIcon=other\n";
    for (const char* folder : {"usr/share/applications", "usr/local/share/applications"}) {
        // The first folder of XDG_DATA_DIRS wins: /usr/local/share's entry holds a mark.
        QDir().mkpath(home_.filePath(folder));
        QFile file(QDir(home_.filePath(folder)).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(folder).startsWith("usr/local") ? "# local\n" + installed : installed);
    }
    EXPECT_EQ(change(QStringLiteral("OtherAppIcon")), std::nullopt);
    QByteArray expected = "# local\n" + installed;
    expected.replace("Icon=cellarium\n", "Icon=cellarium-OtherAppIcon\n");
    EXPECT_EQ(readAll(icons_.desktopEntryPath()), expected);
    EXPECT_EQ(change(std::nullopt), std::nullopt);
    EXPECT_EQ(readAll(icons_.desktopEntryPath()), "# local\n" + installed);
}

TEST(DesktopEntryExec, QuotesAndEscapesEveryPath)
{
    const std::pair<QString, QString> cases[] = {
        {"/usr/bin/cellarium", R"("/usr/bin/cellarium")"},
        {"/home/me/My Games/cellarium", R"("/home/me/My Games/cellarium")"},
        {"/opt/a$b/cellarium", R"("/opt/a\\$b/cellarium")"},
        {"/opt/\"q\"/`x`", R"("/opt/\\"q\\"/\\`x\\`")"},
        {"/opt/back\\slash", R"("/opt/back\\\\slash")"},
        {"/opt/100%/cellarium", R"("/opt/100%%/cellarium")"},
        {"/opt/line\nbreak", R"("/opt/line\nbreak")"},
        {"/opt/it's (mine) & ~;*?#<>|=/c", R"("/opt/it's (mine) & ~;*?#<>|=/c")"},
    };
    for (const auto& [program, exec] : cases)
        EXPECT_EQ(platform::AlternateIcons::desktopEntryExec(program), exec) << program.toStdString();
}

TEST_F(AlternateIconsTest, TheChoiceOfAnEarlierRunShowsInTheWindowsAndWritesNothing)
{
    QWidget window;
    icons_.restoreAlternateIconName(QStringLiteral("OtherAppIcon"));
    EXPECT_EQ(icons_.alternateIconName(), QString("OtherAppIcon"));
    EXPECT_EQ(window.windowIcon().pixmap(16).toImage().pixelColor(8, 8), QColor(Qt::blue));
    icons_.restoreAlternateIconName(QStringLiteral("NoSuchIcon"));
    EXPECT_EQ(icons_.alternateIconName(), QString("OtherAppIcon"));
    icons_.restoreAlternateIconName(std::nullopt);
    EXPECT_EQ(icons_.alternateIconName(), std::nullopt);
    EXPECT_EQ(window.windowIcon().pixmap(16).toImage().pixelColor(8, 8), QColor(Qt::green));
    EXPECT_FALSE(QFileInfo::exists(icons_.desktopEntryPath()));
    EXPECT_FALSE(QFileInfo::exists(icons_.iconFolder()));
}
