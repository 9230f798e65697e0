#include "FennelKitTest.h"

#include "FennelKitTesting.h"

#include "platform/AppWindow.h"
#include "platform/Bundle.h"
#include "platform/Haptics.h"
#include "platform/SystemSound.h"
#include "platform/MailComposer.h"
#include "platform/MainScreen.h"
#include "platform/Storefront.h"
#include "platform/UserDefaults.h"
#include "platform/ViewController.h"

#include <memory>

void FennelKitTest::SetUp()
{
    ASSERT_TRUE(dir_.isValid());
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    platform::setUserDefaults(std::make_unique<platform::UserDefaults>(dir_.filePath("user-defaults.json")));
    platform::Services set;
    feedback_ = &testsupport::recordFeedback(set);
    auto opener = std::make_unique<testsupport::RecordingUrlOpener>();
    opener_ = opener.get();
    services_.emplace(std::move(set.with(std::move(opener))));
    platform::setKeyWindow(nullptr);
    platform::ViewController::setAnimationsEnabled(false);
    setScreen({390, 844}, 3);
    setStorefront(QStringLiteral("USA"));
    setBundle({{"CFBundleDisplayName", "Cellarium"},
               {"CFBundleName", "cellarium"},
               {"CFBundleShortVersionString", "1.2"},
               {"CFBundleVersion", "7"}});
}

void FennelKitTest::TearDown()
{
    platform::setKeyWindow(nullptr);
    platform::ViewController::setAnimationsEnabled(true);
    platform::MailComposer::setCanSendMailOverride(std::nullopt);
    services_.reset();
    platform::setUserDefaults(nullptr);
    QLocale::setDefault(QLocale::system());
    fennelkit::resetLazyValuesForTesting();
}

void FennelKitTest::setScreen(QSizeF size, qreal scale)
{
    platform::services().mainScreen().setSizeOverride(size);
    platform::services().mainScreen().setScaleOverride(scale);
    fennelkit::resetLazyValuesForTesting();
}

void FennelKitTest::setStorefront(std::optional<QString> country)
{
    platform::services().storefront().setOverride(std::move(country));
    fennelkit::resetLazyValuesForTesting();
}

void FennelKitTest::setBundle(const QVariantMap& info)
{
    services_->set().with(std::make_unique<platform::Bundle>(info));
    fennelkit::resetLazyValuesForTesting();
}

void FennelKitTest::useLocale(const QLocale& locale)
{
    QLocale::setDefault(locale);
    fennelkit::resetLazyValuesForTesting();
}
