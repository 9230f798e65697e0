#include "platform/AlertCard.h"
#include "platform/AppWindow.h"
#include "platform/InAppBrowser.h"
#include "platform/MailComposer.h"
#include "platform/SheetScreen.h"
#include "platform/UrlOpener.h"
#include "RecordingUrlOpener.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QVBoxLayout>
#include <QTest>
#include <QUrlQuery>

#include <gtest/gtest.h>

using platform::AlertCard;
using platform::InAppBrowser;
using platform::MailComposer;
using platform::ViewController;

namespace {

// A shown window with an empty root screen to present from, and an URL
// opener that records instead of opening.
class SheetScreensTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ViewController::setAnimationsEnabled(false);
        auto recorder = std::make_unique<testsupport::RecordingUrlOpener>();
        opener = recorder.get();
        services.emplace(platform::Services().with(std::move(recorder)));
        root = new ViewController;
        window.resize(390, 844);
        window.setRootViewController(root);
        window.show();
    }

    void TearDown() override
    {
        services.reset();
        ViewController::setAnimationsEnabled(true);
    }

    template <typename T>
    T* child(QWidget* parent, const char* name)
    {
        auto* found = parent->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    std::optional<platform::ServicesInPlace> services;
    testsupport::RecordingUrlOpener* opener = nullptr;
    platform::AppWindow window;
    ViewController* root = nullptr;
};

TEST_F(SheetScreensTest, BrowserShowsTheAddressAndHandsThePageToTheDesktop)
{
    const QUrl address(QStringLiteral("https://beian.example.org/record?id=1"));
    auto* browser = new InAppBrowser(address);
    browser->setControlTintColor(QColor(200, 0, 0));
    browser->setDismissButtonStyleClose();
    root->present(browser, true);

    EXPECT_EQ(child<QLabel>(browser, "addressLabel")->text(), QStringLiteral("beian.example.org"));
    auto* dismissButton = child<QPushButton>(browser, "dismissButton");
    EXPECT_EQ(dismissButton->text(), QStringLiteral("Close"));
    EXPECT_EQ(dismissButton->palette().color(QPalette::ButtonText), QColor(200, 0, 0));

    QTest::mouseClick(child<QPushButton>(browser, "openInBrowserButton"), Qt::LeftButton);
    EXPECT_EQ(opener->openedUrls(), (QList<QUrl>{address}));
    EXPECT_EQ(root->presentedViewController(), browser);

    QTest::mouseClick(dismissButton, Qt::LeftButton);
    EXPECT_EQ(root->presentedViewController(), nullptr);
}

TEST(MailComposerAddress, CarriesRecipientSubjectAndBodyIntact)
{
    MailComposer composer;
    composer.setToRecipients({QStringLiteral("feedback@example.org")});
    composer.setSubject(QStringLiteral("Contact: Cellarium 1.2(7)"));
    const QString body = QStringLiteral("a & b = c?\n#1 + 100% \u4f60\u597d");
    composer.setMessageBody(body, false);

    const QUrl url = composer.mailtoUrl();
    ASSERT_TRUE(url.isValid());
    EXPECT_EQ(url.scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(url.path(), QStringLiteral("feedback@example.org"));
    const QUrlQuery query(url);
    EXPECT_EQ(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
              QStringLiteral("Contact: Cellarium 1.2(7)"));
    EXPECT_EQ(query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded), body);
    EXPECT_FALSE(url.toEncoded().contains(' '));
}

TEST(MailComposerAddress, HtmlBodyTravelsAsPlainText)
{
    MailComposer composer;
    composer.setToRecipients({QStringLiteral("feedback@example.org")});
    composer.setMessageBody(QStringLiteral("<p>Hello <b>there</b></p>"), true);
    EXPECT_EQ(QUrlQuery(composer.mailtoUrl()).queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded),
              QStringLiteral("Hello there"));
}

TEST(MailComposerAddress, EmptyBodyAndSubjectAddNoFields)
{
    MailComposer composer;
    composer.setToRecipients({QStringLiteral("feedback@example.org")});
    composer.setMessageBody(QString(), true);
    EXPECT_EQ(composer.mailtoUrl().toString(), QStringLiteral("mailto:feedback@example.org"));
}

TEST_F(SheetScreensTest, SendHandsTheAddressOverAndReportsSent)
{
    auto* composer = new MailComposer;
    composer->setToRecipients({QStringLiteral("feedback@example.org")});
    composer->setSubject(QStringLiteral("Hi"));
    std::vector<MailComposer::Result> results;
    composer->setMailComposeDelegate([&](MailComposer::Result result) { results.push_back(result); });
    root->present(composer, false);

    auto* send = child<QPushButton>(composer, "sendButton");
    QTest::mouseClick(send, Qt::LeftButton);
    QTest::mouseClick(send, Qt::LeftButton); // finished already: no second mail
    EXPECT_EQ(opener->openedUrls(), (QList<QUrl>{composer->mailtoUrl()}));
    EXPECT_EQ(results, (std::vector{MailComposer::Result::Sent}));
}

TEST_F(SheetScreensTest, SendThatNothingCanOpenReportsFailed)
{
    services->set().with(std::make_unique<testsupport::RecordingUrlOpener>(false));
    auto* composer = new MailComposer;
    std::vector<MailComposer::Result> results;
    composer->setMailComposeDelegate([&](MailComposer::Result result) { results.push_back(result); });
    root->present(composer, false);
    QTest::mouseClick(child<QPushButton>(composer, "sendButton"), Qt::LeftButton);
    EXPECT_EQ(results, (std::vector{MailComposer::Result::Failed}));
}

TEST_F(SheetScreensTest, CancelWithoutDelegateClosesTheComposerAndSendsNothing)
{
    QPointer<MailComposer> composer = new MailComposer;
    root->present(composer, false);
    QTest::mouseClick(child<QPushButton>(composer, "cancelButton"), Qt::LeftButton);
    EXPECT_EQ(root->presentedViewController(), nullptr);
    EXPECT_TRUE(opener->openedUrls().isEmpty());
}

// Points the XDG data and config folders at empty temporary ones (the tests
// run with QStandardPaths' test mode, so the home folders are empty too).
class MailHandlerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedData = qgetenv("XDG_DATA_DIRS");
        savedConfig = qgetenv("XDG_CONFIG_DIRS");
        qputenv("XDG_DATA_DIRS", data.path().toUtf8());
        qputenv("XDG_CONFIG_DIRS", config.path().toUtf8());
        QDir(data.path()).mkpath(QStringLiteral("applications/vendor"));
    }
    void TearDown() override
    {
        qputenv("XDG_DATA_DIRS", savedData);
        qputenv("XDG_CONFIG_DIRS", savedConfig);
    }
    static void write(const QString& path, const QByteArray& text)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QTemporaryDir data;
    QTemporaryDir config;
    QByteArray savedData;
    QByteArray savedConfig;
};

TEST_F(MailHandlerTest, DesktopEntryForMailtoMeansMailCanBeSent)
{
    write(data.filePath(QStringLiteral("applications/viewer.desktop")),
          "[Desktop Entry]\nName=Viewer\nMimeType=image/png;x-scheme-handler/mailtox;\n");
    EXPECT_FALSE(MailComposer::canSendMail());
    write(data.filePath(QStringLiteral("applications/vendor/mail.desktop")),
          "[Desktop Entry]\nName=Mail\nMimeType=message/rfc822;x-scheme-handler/mailto;\n");
    EXPECT_TRUE(MailComposer::canSendMail());
}

TEST_F(MailHandlerTest, DefaultInMimeappsListMeansMailCanBeSent)
{
    write(data.filePath(QStringLiteral("applications/mail.desktop")), "[Desktop Entry]\nName=Mail\n");
    write(config.filePath(QStringLiteral("mimeapps.list")), "[Default Applications]\nx-scheme-handler/mailto=mail.desktop;\n");
    EXPECT_TRUE(MailComposer::canSendMail());
}

// Regression: a default naming a desktop file that does not exist, or a handler
// listed under removed associations, answered yes, and the feedback item then
// opened a composer that could not send.
TEST_F(MailHandlerTest, DefaultNamingAMissingDesktopFileIsNoHandler)
{
    write(config.filePath(QStringLiteral("mimeapps.list")), "[Default Applications]\nx-scheme-handler/mailto=gone.desktop;\n");
    EXPECT_FALSE(MailComposer::canSendMail());
    write(data.filePath(QStringLiteral("applications/vendor/gone.desktop")), "[Desktop Entry]\nName=Gone\n");
    EXPECT_FALSE(MailComposer::canSendMail());  // its id is vendor-gone.desktop
}

TEST_F(MailHandlerTest, RemovedAssociationTakesTheHandlerAway)
{
    write(data.filePath(QStringLiteral("applications/vendor/mail.desktop")),
          "[Desktop Entry]\nName=Mail\nMimeType=x-scheme-handler/mailto;\n");
    write(config.filePath(QStringLiteral("mimeapps.list")),
          "[Removed Associations]\nx-scheme-handler/mailto=vendor-mail.desktop;\n");
    EXPECT_FALSE(MailComposer::canSendMail());
    write(config.filePath(QStringLiteral("mimeapps.list")),
          "[Removed Associations]\nx-scheme-handler/mailto=other.desktop;\n"
          "[Added Associations]\nx-scheme-handler/mailto=vendor-mail.desktop;\n");
    EXPECT_TRUE(MailComposer::canSendMail());
}

TEST_F(SheetScreensTest, AlertActionClosesTheCardAndThenRunsItsHandler)
{
    AlertCard::setTintColor(QColor(0, 120, 0));
    auto* card = new AlertCard(QString(), QString());
    std::vector<std::string> log;
    card->addAction(QStringLiteral("Record 1A"), [&] {
        log.push_back(root->presentedViewController() ? "handler under card" : "handler");
    });
    root->present(card, true);
    auto* action = child<QPushButton>(card, "action0");
    EXPECT_EQ(action->text(), QStringLiteral("Record 1A"));
    EXPECT_EQ(action->palette().color(QPalette::ButtonText), QColor(0, 120, 0));
    EXPECT_EQ(card->findChild<QLabel*>(QStringLiteral("titleLabel")), nullptr); // no empty title line

    QTest::mouseClick(action, Qt::LeftButton);
    EXPECT_EQ(log, (std::vector<std::string>{"handler"}));
    AlertCard::setTintColor(QColor());
}

TEST_F(SheetScreensTest, AlertActionRunsOnceForRepeatedTaps)
{
    ViewController::setAnimationsEnabled(true);
    auto* card = new AlertCard(QStringLiteral("Title"));
    int runs = 0;
    card->addAction(QStringLiteral("OK"), [&] { ++runs; });
    root->present(card, false);
    auto* action = child<QPushButton>(card, "action0");
    QTest::mouseClick(action, Qt::LeftButton);
    QTest::mouseClick(action, Qt::LeftButton); // still fading out
    ASSERT_TRUE(QTest::qWaitFor([&] { return runs > 0; }, 5000));
    QTest::qWait(50);
    EXPECT_EQ(runs, 1);
}

TEST_F(SheetScreensTest, CardWithFixedSizeSitsInTheMiddleOfTheWindow)
{
    auto* card = new AlertCard;
    card->setCardSize(QSize(256, 276));
    auto* symbol = new QLabel(card->contentView());
    symbol->setGeometry(43, 63, 171, 171);
    root->present(card, false);
    EXPECT_EQ(card->size(), QSize(256, 276));
    EXPECT_EQ(card->geometry().center(), QRect(0, 0, 390, 844).center());
    EXPECT_TRUE(card->contentView()->isAncestorOf(symbol));

    bool dismissed = false;
    card->dismiss(false, [&] { dismissed = true; }); // a card without actions closes only in code
    EXPECT_TRUE(dismissed);
}

// A sheet with a close button and two controls of its own; counts its closing cues.
class CountingSheet : public platform::SheetScreen {
public:
    explicit CountingSheet(int& cues) : SheetScreen([&cues] { ++cues; }) {}

    QToolButton* closeButton = nullptr;
    QToolButton* first = nullptr;
    QToolButton* second = nullptr;

protected:
    void viewDidLoad() override
    {
        auto* layout = new QVBoxLayout(this);
        for (QToolButton** button : {&closeButton, &first, &second}) {
            *button = new QToolButton(this);
            (*button)->setFocusPolicy(Qt::StrongFocus);
            layout->addWidget(*button);
        }
        setUpCloseButton(*closeButton);
    }
};

// What goes over the sheet, and how it is closed.
enum class OverTheSheet { AlertClosedWithEscape, AlertClosedByItsAction, SheetClosedWithEscape, SheetClosedByItsButton };

class NestedSheetTest : public SheetScreensTest, public ::testing::WithParamInterface<OverTheSheet> {
protected:
    // Presses `button` as a screen reader does, through its accessible action.
    static void pressThroughAccessibility(QWidget* button)
    {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(button);
        ASSERT_NE(face, nullptr);
        ASSERT_NE(face->actionInterface(), nullptr);
        face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTest::qWait(150); // a button's accessible press comes as an animated click
    }

    static QWidget* focused() { return QApplication::focusWidget(); }
};

// Faults guarded against: a control under a sheet stayed pressable through the
// accessibility tree and reachable with Tab, and after a sheet or alert over a
// sheet had gone the keyboard no longer reached the sheet below.
TEST_P(NestedSheetTest, OnlyTheTopScreenHasTheKeyboardAndEscapeClosesEveryDepth)
{
    auto* start = new QToolButton(root);
    start->setFocusPolicy(Qt::StrongFocus);
    start->show();
    int starts = 0;
    QObject::connect(start, &QToolButton::clicked, [&] { ++starts; });
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    start->setFocus();
    ASSERT_EQ(focused(), start);

    int cues = 0;
    auto* sheet = new CountingSheet(cues);
    root->present(sheet, false);
    ASSERT_TRUE(sheet->isAncestorOf(focused()));
    pressThroughAccessibility(start);
    EXPECT_EQ(starts, 0) << "a covered control was pressed";
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(start)->state().disabled);
    for (int press = 0; press < 5; ++press) {
        QTest::keyClick(focused(), press % 2 ? Qt::Key_Backtab : Qt::Key_Tab);
        EXPECT_TRUE(sheet->isAncestorOf(focused())) << "Tab left the sheet at press " << press;
    }
    int firstPresses = 0;
    QObject::connect(sheet->first, &QToolButton::clicked, [&] { ++firstPresses; });
    sheet->first->setFocus();
    QTest::keyClick(focused(), Qt::Key_Return);
    EXPECT_EQ(firstPresses, 1) << "Return did not press the focused button";
    sheet->second->setFocus();

    ViewController* over = nullptr;
    CountingSheet* overSheet = nullptr;
    const bool alert = GetParam() == OverTheSheet::AlertClosedWithEscape || GetParam() == OverTheSheet::AlertClosedByItsAction;
    if (alert) {
        auto* card = new AlertCard(QStringLiteral("Saved"));
        card->addAction(QStringLiteral("OK"));
        over = card;
    } else {
        over = overSheet = new CountingSheet(cues);
    }
    sheet->present(over, false);
    ASSERT_TRUE(over->isAncestorOf(focused()) || focused() == over);
    if (alert)
        EXPECT_EQ(QAccessible::queryAccessibleInterface(over)->role(), QAccessible::AlertMessage);
    pressThroughAccessibility(sheet->first);
    EXPECT_EQ(firstPresses, 1) << "a control of the covered sheet was pressed";

    switch (GetParam()) {
    case OverTheSheet::AlertClosedWithEscape:
    case OverTheSheet::SheetClosedWithEscape: QTest::keyClick(focused(), Qt::Key_Escape); break;
    case OverTheSheet::AlertClosedByItsAction: QTest::mouseClick(child<QPushButton>(over, "action0"), Qt::LeftButton); break;
    case OverTheSheet::SheetClosedByItsButton: QTest::mouseClick(overSheet->closeButton, Qt::LeftButton); break;
    }
    EXPECT_EQ(sheet->presentedViewController(), nullptr);
    EXPECT_EQ(focused(), sheet->second) << "the keyboard did not come back to the sheet's control";
    EXPECT_EQ(cues, alert ? 0 : 1);

    QTest::keyClick(focused(), Qt::Key_Escape);
    EXPECT_EQ(root->presentedViewController(), nullptr);
    EXPECT_EQ(cues, alert ? 1 : 2);
    EXPECT_EQ(focused(), start);
    pressThroughAccessibility(start);
    EXPECT_EQ(starts, 1) << "the uncovered control stayed out of reach";
}

INSTANTIATE_TEST_SUITE_P(SheetScreens, NestedSheetTest,
                         ::testing::Values(OverTheSheet::AlertClosedWithEscape, OverTheSheet::AlertClosedByItsAction,
                                           OverTheSheet::SheetClosedWithEscape, OverTheSheet::SheetClosedByItsButton));

} // namespace

// With xdg-open there but no browser, a web address counted as opened and the
// about items did nothing visible.
TEST_F(MailHandlerTest, AWebOrMailAddressHasAProgramOnlyWhereTheDesktopNamesOne)
{
    QTemporaryDir bin;
    write(bin.filePath(QStringLiteral("xdg-open")), "#!/bin/sh\nexit 3\n");
    QFile(bin.filePath(QStringLiteral("xdg-open"))).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QByteArray savedPath = qgetenv("PATH");
    const QByteArray savedBrowser = qgetenv("BROWSER");
    qputenv("PATH", bin.path().toUtf8());
    qunsetenv("BROWSER");
    const QUrl web(QStringLiteral("https://www.example.org/"));
    const QUrl mail(QStringLiteral("mailto:feedback@example.org"));
    EXPECT_FALSE(platform::UrlOpener::hasProgramFor(web));
    EXPECT_FALSE(platform::UrlOpener::hasProgramFor(mail));
    EXPECT_FALSE(platform::UrlOpener().openUrl(web));
    EXPECT_TRUE(platform::UrlOpener::hasProgramFor(QUrl::fromLocalFile(bin.path())));

    write(data.filePath(QStringLiteral("applications/vendor/browser.desktop")),
          "[Desktop Entry]\nName=Browser\nMimeType=text/html;x-scheme-handler/http;\n");
    EXPECT_TRUE(platform::UrlOpener::hasProgramFor(web));
    EXPECT_FALSE(platform::UrlOpener::hasProgramFor(mail));
    QFile::remove(data.filePath(QStringLiteral("applications/vendor/browser.desktop")));
    write(bin.filePath(QStringLiteral("x-www-browser")), "#!/bin/sh\nexit 0\n");
    QFile(bin.filePath(QStringLiteral("x-www-browser"))).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_TRUE(platform::UrlOpener::hasProgramFor(web));
    QFile::remove(bin.filePath(QStringLiteral("x-www-browser")));
    qputenv("BROWSER", "lynx");
    EXPECT_TRUE(platform::UrlOpener::hasProgramFor(web));

    qputenv("PATH", savedPath);
    qputenv("BROWSER", savedBrowser);
    if (savedBrowser.isEmpty())
        qunsetenv("BROWSER");
}
