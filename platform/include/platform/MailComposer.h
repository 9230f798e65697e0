#pragma once

#include "platform/PlatformExport.h"
#include "platform/ViewController.h"

#include <QColor>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>

class QLabel;
class QPushButton;
class QTextBrowser;

namespace platform {

// A mail ready to send, shown as a sheet: recipients, subject and body, with
// Cancel and Send. Send hands a mailto: address carrying all three to
// services().urlOpener(). Either button reports its result to the compose delegate,
// which is expected to dismiss the composer; without a delegate the composer
// dismisses itself. Child widgets are named "cancelButton" and "sendButton".
class PLATFORM_EXPORT MailComposer : public ViewController {
    Q_OBJECT

public:
    enum class Result { Cancelled, Saved, Sent, Failed };

    explicit MailComposer(QWidget* parent = nullptr);

    // True when the desktop has a handler for mailto: addresses (a desktop
    // entry for x-scheme-handler/mailto in the XDG application directories).
    static bool canSendMail();
    // For tests: fixes canSendMail(); std::nullopt restores the lookup.
    static void setCanSendMailOverride(std::optional<bool> canSend);

    void setToRecipients(const QStringList& recipients);
    void setSubject(const QString& subject);
    void setMessageBody(const QString& body, bool isHTML);
    void setNavigationBarTintColor(const QColor& color);
    void setMailComposeDelegate(std::function<void(Result)> delegate) { delegate_ = std::move(delegate); }

    QStringList toRecipients() const { return recipients_; }
    QString subject() const { return subject_; }
    QString messageBody() const { return body_; }
    bool isBodyHTML() const { return bodyIsHtml_; }
    QColor navigationBarTintColor() const { return tint_; }

    // mailto:<recipients>?subject=...&body=... with the body as plain text.
    QUrl mailtoUrl() const;

protected:
    void viewDidLoad() override;

private:
    void finish(Result result);
    void refresh();

    QStringList recipients_;
    QString subject_;
    QString body_;
    bool bodyIsHtml_ = false;
    QColor tint_;
    std::function<void(Result)> delegate_;
    bool finished_ = false;
    QLabel* headerLabel_ = nullptr;
    QTextBrowser* bodyView_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* sendButton_ = nullptr;
};

} // namespace platform
