#pragma once

#include "FennelKitExport.h"

#include <QColor>
#include <QString>

#include <functional>
#include <optional>

namespace platform {
class ViewController;
}

namespace fennelkit {

// What the about items of an options screen need: their texts, the addresses
// behind them, and the actions that open them. Texts and localised addresses
// are looked up once, on first read, in the default locale's language.
// The actions run on the main thread; the texts may be read from any thread.
class FENNELKIT_EXPORT FNMore {
public:
    FNMore() = delete;

    static QString privacyText();
    static QString feedbackText();
    static QString reviewText();
    static QString threadsText();
    static QString blogText();
    static QString moreAppText();
    // "Version 1.2(7)": the host application's version and build number.
    static QString versionText();

    // Localised: a translation may point to a page in its own language.
    static QString privacyUrl();
    static QString feedbackUrl();
    static QString blogUrl();
    // Fixed.
    static QString threadsUrl();
    static QString moreAppUrl();
    static QString icpRecordUrl();
    static QString feedbackRecipient();

    // For the item that shows the website in China (with a filing number) and
    // the social links elsewhere.
    static QString blogOrSocialText(const std::optional<QString>& icp);
    static QString blogOrSocialUrl(const std::optional<QString>& icp);
    // For the item that shows the filing number in China and the website elsewhere.
    static QString icpOrBlogText(const std::optional<QString>& icp);
    static QString icpOrBlogUrl(const std::optional<QString>& icp);

    // Opens `url` in the desktop's browser or store, except the filing-record
    // address in China with a colour given, which opens in an in-app browser
    // over the top screen. False when nothing opened it: no program opens the
    // address (no web browser), it does not parse, or there is no top screen
    // for the in-app browser. The caller tells the user.
    static bool openUrl(const QString& url, const std::optional<QColor>& tintColor);

    // Presents a feedback mail to the maker over the top screen, or opens the
    // contact page where no mail can be sent. `message` is HTML. `unsent`
    // runs when the mail reaches no program: neither a mail program nor a
    // browser for the contact page is there (before this returns), or the
    // composer's Send finds no mail program (later, once it has closed).
    static void sendFeedbackEmail(const std::optional<QColor>& tintColor, const QString& message,
                                  std::function<void()> unsent = {});

    // The screen at the top of the key window's presentation chain; nullptr
    // without a key window or root screen.
    static platform::ViewController* topViewController();
};

}  // namespace fennelkit
