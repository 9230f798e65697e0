#include "FennelKitTest.h"

#include "FNApp.h"

#include <QRegularExpression>

#include <unordered_set>

using namespace fennelkit;

namespace {

class FNAppTest : public FennelKitTest {};

const QStringList englishGuide = {
    "Welcome to the Cellarium.\n\nThe game is an infinite, two-dimensional orthogonal grid of square cells, each "
    "of which is in one of two possible states, live or dead.\n\nAt each step in time, the following transitions "
    "occur:",
    "1.\n\nAny live cell with fewer than two live neighbours dies, as if by underpopulation.",
    "2.\n\nAny live cell with two or three live neighbours lives on to the next generation.",
    "3.\n\nAny live cell with more than three live neighbours dies, as if by overpopulation.",
    "4.\n\nAny dead cell with exactly three live neighbours becomes a live cell, as if by reproduction.",
    "Next, please enjoy the Cellarium.\n\nBest regards.",
};

bool hasHanCharacters(const QString& text)
{
    return text.contains(QRegularExpression(QStringLiteral("\\p{Han}")));
}

TEST_F(FNAppTest, CatalogueHoldsCellariumAsAComparableHashableCase)
{
    EXPECT_EQ(FNApp::allCases(), QList<FNApp>{FNApp::cellarium});
    EXPECT_EQ(FNApp(FNApp::Case::cellarium), FNApp::cellarium);
    const std::unordered_set<FNApp> apps{FNApp::cellarium, FNApp::cellarium};
    EXPECT_EQ(apps.size(), 1u);
}

TEST_F(FNAppTest, StoreLinksFollowTheStoreForms)
{
    const FNApp app = FNApp::cellarium;
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{10}$")).match(app.id()).hasMatch()) << app.id().toStdString();
    EXPECT_TRUE(app.appLink().endsWith(QStringLiteral("/app/id") + app.id())) << app.appLink().toStdString();
    EXPECT_EQ(app.reviewLink(), app.appLink() + QStringLiteral("?action=write-review"));
    EXPECT_TRUE(QUrl(app.reviewLink(), QUrl::StrictMode).isValid());
    EXPECT_TRUE(QUrl(app.appLink()).host().endsWith(QStringLiteral("example.org")));
}

TEST_F(FNAppTest, GuideHasTheSixEnglishPagesInOrder)
{
    EXPECT_EQ(FNApp::cellarium.guideText(), englishGuide);
}

TEST_F(FNAppTest, GuideIsTranslatedPageByPageInSimplifiedChinese)
{
    useLocale(QLocale(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China));
    const QStringList pages = FNApp::cellarium.guideText();
    ASSERT_EQ(pages.size(), 6);
    for (int i = 0; i < pages.size(); ++i) {
        EXPECT_NE(pages[i], englishGuide[i]);
        EXPECT_TRUE(hasHanCharacters(pages[i])) << i;
        EXPECT_TRUE(pages[i].contains(QStringLiteral("\n\n"))) << i;
    }
}

TEST_F(FNAppTest, FilingNumberIsTheSharedPrefixAndADigitAndCapitalLetter)
{
    const std::optional<QString> english = FNApp::cellarium.icp();
    ASSERT_TRUE(english.has_value());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("\\D\\d[A-Z]$")).match(*english).hasMatch()) << english->toStdString();

    useLocale(QLocale(QLocale::Chinese, QLocale::China));
    const std::optional<QString> chinese = FNApp::cellarium.icp();
    ASSERT_TRUE(chinese.has_value());
    EXPECT_TRUE(hasHanCharacters(*chinese));
    EXPECT_EQ(chinese->right(2), english->right(2));
}

TEST_F(FNAppTest, IconIsA36PointThumbnailAtTheScreenScale)
{
    const QImage icon = FNApp::cellarium.icon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.size(), QSize(108, 108));
    EXPECT_EQ(icon.devicePixelRatio(), 3);

    setScreen({390, 844}, 2);
    EXPECT_EQ(FNApp::cellarium.icon().size(), QSize(72, 72));
}

TEST_F(FNAppTest, BundleValuesFallBackToTheBundleNameThenToEmpty)
{
    EXPECT_EQ(FNApp::name(), QStringLiteral("Cellarium"));
    EXPECT_EQ(FNApp::version(), QStringLiteral("1.2"));
    EXPECT_EQ(FNApp::buildNumber(), QStringLiteral("7"));

    setBundle({{"CFBundleName", "cellarium"}});
    EXPECT_EQ(FNApp::name(), QStringLiteral("cellarium"));
    // A display name that is not text counts as missing.
    setBundle({{"CFBundleDisplayName", 42}, {"CFBundleName", "cellarium"}});
    EXPECT_EQ(FNApp::name(), QStringLiteral("cellarium"));

    setBundle({});
    EXPECT_EQ(FNApp::name(), QString());
    EXPECT_EQ(FNApp::version(), QString());
    EXPECT_EQ(FNApp::buildNumber(), QString());
}

}  // namespace
