#include "FennelKitTest.h"

#include "FNApp.h"
#include "FNMore.h"

#include "platform/AppWindow.h"
#include "platform/Bundle.h"
#include "platform/InAppBrowser.h"
#include "platform/MailComposer.h"
#include "platform/ViewController.h"

#include <QPushButton>
#include <QRegularExpression>

using namespace fennelkit;
using platform::ViewController;

namespace {

const QColor tint(Qt::darkCyan);
const std::optional<QString> icp = QStringLiteral("ICP 3A");

class FNMoreTest : public FennelKitTest {
protected:
    void SetUp() override
    {
        FennelKitTest::SetUp();
        window_.resize(390, 844);
        root_ = new ViewController;
        window_.setRootViewController(root_);
    }

    // Makes the window the key window, so that there is a top screen.
    void useKeyWindow() { platform::setKeyWindow(&window_); }

    QList<QUrl> opened() { return urlOpener().openedUrls(); }

    platform::AppWindow window_;
    ViewController* root_ = nullptr;
};

TEST_F(FNMoreTest, VersionLineHasNoSpaceBeforeTheBuildNumber)
{
    EXPECT_EQ(FNMore::versionText(), QStringLiteral("Version 1.2(7)"));
}

TEST_F(FNMoreTest, TextsAreReadOnceForTheRun)
{
    EXPECT_EQ(FNMore::versionText(), QStringLiteral("Version 1.2(7)"));
    EXPECT_EQ(FNMore::privacyText(), QStringLiteral("Privacy Policy"));
    ownServices().with(std::make_unique<platform::Bundle>(QVariantMap{{"CFBundleShortVersionString", "2.0"}}));
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    EXPECT_EQ(FNMore::versionText(), QStringLiteral("Version 1.2(7)"));
    EXPECT_EQ(FNMore::privacyText(), QStringLiteral("Privacy Policy"));
}

TEST_F(FNMoreTest, ChineseTextsAndLocalisedAddresses)
{
    const QString englishPrivacy = FNMore::privacyUrl();
    const QString englishFeedback = FNMore::feedbackUrl();
    const QString englishBlog = FNMore::blogUrl();
    useLocale(QLocale(QLocale::Chinese, QLocale::China));
    EXPECT_EQ(FNMore::privacyText(), QStringLiteral("隐私政策"));
    EXPECT_EQ(FNMore::versionText(), QStringLiteral("版本 1.2(7)"));
    for (const QString& text : {FNMore::feedbackText(), FNMore::reviewText(), FNMore::threadsText(),
                                FNMore::blogText(), FNMore::moreAppText()})
        EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("\\p{Han}")))) << text.toStdString();
    EXPECT_NE(FNMore::privacyUrl(), englishPrivacy);
    EXPECT_NE(FNMore::feedbackUrl(), englishFeedback);
    EXPECT_NE(FNMore::blogUrl(), englishBlog);
    EXPECT_TRUE(QUrl(FNMore::privacyUrl(), QUrl::StrictMode).isValid());
}

TEST_F(FNMoreTest, LocaleWithoutATableKeepsEnglish)
{
    useLocale(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(FNMore::privacyText(), QStringLiteral("Privacy Policy"));
    EXPECT_EQ(FNApp::cellarium.guideText().last(), QStringLiteral("Next, please enjoy the Cellarium.\n\nBest regards."));
}

TEST_F(FNMoreTest, EveryAddressIsAPlaceholderUnderExampleOrg)
{
    for (const QString& address : {FNMore::privacyUrl(), FNMore::feedbackUrl(), FNMore::blogUrl(),
                                   FNMore::threadsUrl(), FNMore::moreAppUrl(), FNMore::icpRecordUrl()}) {
        const QUrl url(address, QUrl::StrictMode);
        EXPECT_TRUE(url.isValid()) << address.toStdString();
        EXPECT_TRUE(url.host().endsWith(QStringLiteral("example.org"))) << address.toStdString();
    }
    EXPECT_TRUE(FNMore::feedbackRecipient().endsWith(QStringLiteral("@example.org")));
}

TEST_F(FNMoreTest, ChinaWithAFilingNumberShowsTheWebsiteAndTheFilingNumber)
{
    setStorefront(QStringLiteral("CHN"));
    EXPECT_EQ(FNMore::blogOrSocialText(icp), FNMore::blogText());
    EXPECT_EQ(FNMore::blogOrSocialUrl(icp), FNMore::blogUrl());
    EXPECT_EQ(FNMore::icpOrBlogText(icp), *icp);
    EXPECT_EQ(FNMore::icpOrBlogUrl(icp), FNMore::icpRecordUrl());
}

TEST_F(FNMoreTest, ElsewhereOrWithoutAFilingNumberShowsTheSocialLinksAndTheWebsite)
{
    setStorefront(QStringLiteral("CHN"));
    EXPECT_EQ(FNMore::blogOrSocialText(std::nullopt), FNMore::threadsText());
    EXPECT_EQ(FNMore::blogOrSocialUrl(std::nullopt), FNMore::threadsUrl());
    EXPECT_EQ(FNMore::icpOrBlogText(std::nullopt), FNMore::blogText());
    EXPECT_EQ(FNMore::icpOrBlogUrl(std::nullopt), FNMore::blogUrl());

    setStorefront(QStringLiteral("USA"));
    EXPECT_EQ(FNMore::blogOrSocialText(icp), FNMore::threadsText());
    EXPECT_EQ(FNMore::blogOrSocialUrl(icp), FNMore::threadsUrl());
    EXPECT_EQ(FNMore::icpOrBlogText(icp), FNMore::blogText());
    EXPECT_EQ(FNMore::icpOrBlogUrl(icp), FNMore::blogUrl());
}

TEST_F(FNMoreTest, OnlyChinaWithAColourOpensTheFilingRecordInTheApp)
{
    useKeyWindow();
    struct Case {
        const char* storefront;
        std::optional<QColor> colour;
        QString address;
        bool inApp;
    };
    const Case cases[] = {
        {"CHN", tint, FNMore::icpRecordUrl(), true},
        {"USA", tint, FNMore::icpRecordUrl(), false},
        {"CHN", std::nullopt, FNMore::icpRecordUrl(), false},
        {"CHN", tint, FNMore::privacyUrl(), false},
        {"CHN", std::nullopt, FNApp::cellarium.reviewLink(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(c.storefront, c.address).toStdString());
        setStorefront(QString::fromLatin1(c.storefront));
        const qsizetype openedBefore = opened().size();
        FNMore::openUrl(c.address, c.colour);

        auto* browser = qobject_cast<platform::InAppBrowser*>(root_->presentedViewController());
        EXPECT_EQ(browser != nullptr, c.inApp);
        EXPECT_EQ(opened().size() - openedBefore, c.inApp ? 0 : 1);
        if (!c.inApp) {
            EXPECT_EQ(opened().last(), QUrl(c.address));
            continue;
        }
        ASSERT_NE(browser, nullptr);
        EXPECT_EQ(browser->url(), QUrl(c.address));
        EXPECT_EQ(browser->controlTintColor(), tint);
        EXPECT_EQ(browser->dismissButtonStyle(), platform::InAppBrowser::DismissButtonStyle::Close);
        EXPECT_EQ(browser->modalPresentationStyle(), platform::PresentationStyle::PageSheet);
        root_->dismiss(false);
    }
}

TEST_F(FNMoreTest, AddressThatDoesNotParseIsIgnored)
{
    useKeyWindow();
    FNMore::openUrl(QStringLiteral("https://www.example .org/"), tint);
    FNMore::openUrl(QString(), std::nullopt);
    EXPECT_TRUE(opened().isEmpty());
    EXPECT_EQ(root_->presentedViewController(), nullptr);
}

TEST_F(FNMoreTest, WithoutATopScreenNeitherBrowserNorMailIsShown)
{
    setStorefront(QStringLiteral("CHN"));
    platform::MailComposer::setCanSendMailOverride(true);
    FNMore::openUrl(FNMore::icpRecordUrl(), tint);
    FNMore::sendFeedbackEmail(tint, QString());
    EXPECT_EQ(root_->presentedViewController(), nullptr);
    EXPECT_TRUE(opened().isEmpty());
}

TEST_F(FNMoreTest, TopScreenIsTheEndOfTheKeyWindowsPresentationChain)
{
    EXPECT_EQ(FNMore::topViewController(), nullptr);
    useKeyWindow();
    EXPECT_EQ(FNMore::topViewController(), root_);
    auto* sheet = new ViewController;
    root_->present(sheet, false);
    auto* sheetOverSheet = new ViewController;
    sheet->present(sheetOverSheet, false);
    EXPECT_EQ(FNMore::topViewController(), sheetOverSheet);
}

TEST_F(FNMoreTest, FeedbackMailIsPresentedOverTheTopScreenAndDismissedWhenFinished)
{
    useKeyWindow();
    platform::MailComposer::setCanSendMailOverride(true);
    FNMore::sendFeedbackEmail(tint, QStringLiteral("<p>Hello</p>"));

    auto* composer = qobject_cast<platform::MailComposer*>(root_->presentedViewController());
    ASSERT_NE(composer, nullptr);
    EXPECT_EQ(composer->toRecipients(), QStringList{FNMore::feedbackRecipient()});
    EXPECT_EQ(composer->subject(), QStringLiteral("Contact: Cellarium 1.2(7)"));
    EXPECT_EQ(composer->messageBody(), QStringLiteral("<p>Hello</p>"));
    EXPECT_TRUE(composer->isBodyHTML());
    EXPECT_EQ(composer->navigationBarTintColor(), tint);
    EXPECT_TRUE(opened().isEmpty());

    composer->findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
    EXPECT_EQ(root_->presentedViewController(), nullptr);
}

TEST_F(FNMoreTest, FeedbackSubjectUsesTheBundleNameWithoutADisplayName)
{
    useKeyWindow();
    setBundle({{"CFBundleName", "cellarium"}, {"CFBundleShortVersionString", "3.0"}, {"CFBundleVersion", "12"}});
    platform::MailComposer::setCanSendMailOverride(true);
    FNMore::sendFeedbackEmail(std::nullopt, QString());
    auto* composer = qobject_cast<platform::MailComposer*>(root_->presentedViewController());
    ASSERT_NE(composer, nullptr);
    EXPECT_EQ(composer->subject(), QStringLiteral("Contact: cellarium 3.0(12)"));
}

TEST_F(FNMoreTest, WithoutMailTheContactPageOpensInstead)
{
    useKeyWindow();
    platform::MailComposer::setCanSendMailOverride(false);
    FNMore::sendFeedbackEmail(tint, QString());
    EXPECT_EQ(root_->presentedViewController(), nullptr);
    EXPECT_EQ(opened(), QList<QUrl>{QUrl(FNMore::feedbackUrl())});
}

}  // namespace
