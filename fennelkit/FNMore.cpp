#include "FNMore.h"

#include "FNApp.h"
#include "FNBundleClass.h"
#include "LazyValues.h"
#include "ScreenMetrics.h"

#include "platform/AppWindow.h"
#include "platform/InAppBrowser.h"
#include "platform/MailComposer.h"
#include "platform/UrlOpener.h"
#include "platform/ViewController.h"

#include <QPointer>
#include <QUrl>

namespace fennelkit {

namespace {

auto localized(const char* englishKey)
{
    return detail::computedBy([englishKey] { return FNBundleClass::localizedString(englishKey); });
}

detail::LazyValue<QString> privacyTextValue(localized(QT_TRANSLATE_NOOP("FennelKit", "Privacy Policy")));
detail::LazyValue<QString> feedbackTextValue(localized(QT_TRANSLATE_NOOP("FennelKit", "Contact")));
detail::LazyValue<QString> reviewTextValue(localized(QT_TRANSLATE_NOOP("FennelKit", "Rate on the App Store")));
detail::LazyValue<QString> threadsTextValue(localized(QT_TRANSLATE_NOOP("FennelKit", "Follow me on Social Media Platforms")));
detail::LazyValue<QString> blogTextValue(localized(QT_TRANSLATE_NOOP("FennelKit", "Browse My Personal Website")));
detail::LazyValue<QString> moreAppTextValue(localized(QT_TRANSLATE_NOOP("FennelKit", "More Apps I Developed")));
detail::LazyValue<QString> versionTextValue(detail::computedBy([] {
    return FNBundleClass::localizedString(QT_TRANSLATE_NOOP("FennelKit", "Version")) + QLatin1Char(' ')
           + FNApp::version() + QLatin1Char('(') + FNApp::buildNumber() + QLatin1Char(')');
}));

// The addresses are keys of the string table so that a translation can point
// to the page in its own language.
detail::LazyValue<QString> privacyUrlValue(localized(QT_TRANSLATE_NOOP("FennelKit", "https://www.example.org/en/privacy/")));
detail::LazyValue<QString> feedbackUrlValue(localized(QT_TRANSLATE_NOOP("FennelKit", "https://www.example.org/en/contact/")));
detail::LazyValue<QString> blogUrlValue(localized(QT_TRANSLATE_NOOP("FennelKit", "https://www.example.org/en/")));

const char* const threadsAddress = "https://links.example.org/maker";
const char* const moreAppAddress = "https://apps.example.org/developer/id1000000000";
const char* const icpRecordAddress = "https://beian.example.org/";
const char* const recipientAddress = "feedback@example.org";

bool showsFilingNumber(const std::optional<QString>& icp)
{
    return isChn() && icp.has_value();
}

std::optional<QUrl> parsedWebAddress(const QString& text)
{
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.isEmpty())
        return std::nullopt;
    return url;
}

}  // namespace

void detail::resetMoreTexts()
{
    for (detail::LazyValue<QString>* value : {&privacyTextValue, &feedbackTextValue, &reviewTextValue, &threadsTextValue,
                                               &blogTextValue, &moreAppTextValue, &versionTextValue, &privacyUrlValue,
                                               &feedbackUrlValue, &blogUrlValue})
        value->reset();
}

QString FNMore::privacyText() { return privacyTextValue.get(); }
QString FNMore::feedbackText() { return feedbackTextValue.get(); }
QString FNMore::reviewText() { return reviewTextValue.get(); }
QString FNMore::threadsText() { return threadsTextValue.get(); }
QString FNMore::blogText() { return blogTextValue.get(); }
QString FNMore::moreAppText() { return moreAppTextValue.get(); }
QString FNMore::versionText() { return versionTextValue.get(); }

QString FNMore::privacyUrl() { return privacyUrlValue.get(); }
QString FNMore::feedbackUrl() { return feedbackUrlValue.get(); }
QString FNMore::blogUrl() { return blogUrlValue.get(); }
QString FNMore::threadsUrl() { return QString::fromLatin1(threadsAddress); }
QString FNMore::moreAppUrl() { return QString::fromLatin1(moreAppAddress); }
QString FNMore::icpRecordUrl() { return QString::fromLatin1(icpRecordAddress); }
QString FNMore::feedbackRecipient() { return QString::fromLatin1(recipientAddress); }

QString FNMore::blogOrSocialText(const std::optional<QString>& icp)
{
    return showsFilingNumber(icp) ? blogText() : threadsText();
}

QString FNMore::blogOrSocialUrl(const std::optional<QString>& icp)
{
    return showsFilingNumber(icp) ? blogUrl() : threadsUrl();
}

QString FNMore::icpOrBlogText(const std::optional<QString>& icp)
{
    return showsFilingNumber(icp) ? *icp : blogText();
}

QString FNMore::icpOrBlogUrl(const std::optional<QString>& icp)
{
    return showsFilingNumber(icp) ? icpRecordUrl() : blogUrl();
}

bool FNMore::openUrl(const QString& url, const std::optional<QColor>& tintColor)
{
    const std::optional<QUrl> address = parsedWebAddress(url);
    if (!address)
        return false;
    if (isChn() && tintColor && url == icpRecordUrl()) {
        platform::ViewController* top = topViewController();
        if (!top)
            return false;
        auto* browser = new platform::InAppBrowser(*address);
        browser->setControlTintColor(*tintColor);
        browser->setDismissButtonStyleClose();
        browser->setModalPresentationStyle(platform::PresentationStyle::PageSheet);
        top->present(browser, true);
        return true;
    }
    return platform::services().urlOpener().openUrl(*address);
}

void FNMore::sendFeedbackEmail(const std::optional<QColor>& tintColor, const QString& message, std::function<void()> unsent)
{
    const QString subject = FNBundleClass::localizedString(QT_TRANSLATE_NOOP("FennelKit", "Contact: "))
                            + FNApp::name() + QLatin1Char(' ') + FNApp::version() + QLatin1Char('(')
                            + FNApp::buildNumber() + QLatin1Char(')');

    platform::ViewController* top = topViewController();
    auto* composer = new platform::MailComposer;
    if (top) {
        QPointer<platform::MailComposer> guard(composer);
        composer->setMailComposeDelegate([guard, unsent](platform::MailComposer::Result result) {
            if (!guard)
                return;
            const bool failed = result == platform::MailComposer::Result::Failed;
            guard->dismiss(true, [failed, unsent] {
                if (failed && unsent)
                    unsent();
            });
        });
    }
    if (tintColor)
        composer->setNavigationBarTintColor(*tintColor);
    composer->setToRecipients({feedbackRecipient()});
    composer->setSubject(subject);
    composer->setMessageBody(message, true);

    if (platform::MailComposer::canSendMail()) {
        if (top)
            top->present(composer, true);
        else
            delete composer;
        return;
    }
    delete composer;
    const std::optional<QUrl> contact = parsedWebAddress(feedbackUrl());
    if ((!contact || !platform::services().urlOpener().openUrl(*contact)) && unsent)
        unsent();
}

platform::ViewController* FNMore::topViewController()
{
    platform::AppWindow* window = platform::keyWindow();
    if (!window)
        return nullptr;
    platform::ViewController* top = window->rootViewController();
    while (top && top->presentedViewController())
        top = top->presentedViewController();
    return top;
}

}  // namespace fennelkit
