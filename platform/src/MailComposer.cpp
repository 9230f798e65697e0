#include "platform/MailComposer.h"

#include "MailHandlerLookup.h"
#include "platform/UrlOpener.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrlQuery>
#include <QVBoxLayout>

namespace platform {

namespace {

std::optional<bool>& canSendOverride()
{
    static std::optional<bool> value;
    return value;
}

QString plainText(const QString& body, bool isHtml)
{
    if (!isHtml)
        return body;
    QTextDocument document;
    document.setHtml(body);
    return document.toPlainText();
}

void tint(QPushButton* button, const QColor& color)
{
    if (!button)
        return;
    QPalette palette = QApplication::palette(button);
    if (color.isValid())
        palette.setColor(QPalette::ButtonText, color);
    button->setPalette(palette);
}

} // namespace

MailComposer::MailComposer(QWidget* parent) : ViewController(parent) {}

bool MailComposer::canSendMail()
{
    if (canSendOverride())
        return *canSendOverride();
    return hasMailHandler(QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation),
                          QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation));
}

void MailComposer::setCanSendMailOverride(std::optional<bool> canSend)
{
    canSendOverride() = canSend;
}

void MailComposer::setToRecipients(const QStringList& recipients)
{
    recipients_ = recipients;
    refresh();
}

void MailComposer::setSubject(const QString& subject)
{
    subject_ = subject;
    refresh();
}

void MailComposer::setMessageBody(const QString& body, bool isHTML)
{
    body_ = body;
    bodyIsHtml_ = isHTML;
    refresh();
}

void MailComposer::setNavigationBarTintColor(const QColor& color)
{
    tint_ = color;
    refresh();
}

QUrl MailComposer::mailtoUrl() const
{
    // Percent-encode everything but unreserved characters, so that "&", "="
    // and "#" in the text cannot end the field they are in.
    const auto encode = [](const QString& text) { return QString::fromLatin1(QUrl::toPercentEncoding(text)); };
    QStringList to;
    for (const QString& recipient : recipients_)
        to.append(QString::fromLatin1(QUrl::toPercentEncoding(recipient, "@")));
    QString text = QStringLiteral("mailto:") + to.join(QLatin1Char(','));
    QStringList fields;
    if (!subject_.isEmpty())
        fields.append(QStringLiteral("subject=") + encode(subject_));
    const QString body = plainText(body_, bodyIsHtml_);
    if (!body.isEmpty())
        fields.append(QStringLiteral("body=") + encode(body));
    if (!fields.isEmpty())
        text += QLatin1Char('?') + fields.join(QLatin1Char('&'));
    return QUrl(text, QUrl::StrictMode);
}

void MailComposer::viewDidLoad()
{
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    cancelButton_ = new QPushButton(tr("Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    cancelButton_->setFlat(true);
    sendButton_ = new QPushButton(tr("Send"), this);
    sendButton_->setObjectName(QStringLiteral("sendButton"));
    sendButton_->setFlat(true);
    bar->addWidget(cancelButton_);
    bar->addStretch();
    bar->addWidget(sendButton_);
    layout->addLayout(bar);

    headerLabel_ = new QLabel(this);
    headerLabel_->setObjectName(QStringLiteral("headerLabel"));
    headerLabel_->setTextFormat(Qt::PlainText);
    headerLabel_->setWordWrap(true);
    layout->addWidget(headerLabel_);

    bodyView_ = new QTextBrowser(this);
    bodyView_->setObjectName(QStringLiteral("bodyView"));
    bodyView_->setOpenLinks(false);
    layout->addWidget(bodyView_, 1);

    connect(cancelButton_, &QPushButton::clicked, this, [this] { finish(Result::Cancelled); });
    connect(sendButton_, &QPushButton::clicked, this, [this] {
        finish(services().urlOpener().openUrl(mailtoUrl()) ? Result::Sent : Result::Failed);
    });
    refresh();
}

void MailComposer::refresh()
{
    if (!isViewLoaded() || !headerLabel_)
        return;
    headerLabel_->setText(tr("To: %1").arg(recipients_.join(QStringLiteral(", "))) + QLatin1Char('\n')
                          + tr("Subject: %1").arg(subject_));
    if (bodyIsHtml_)
        bodyView_->setHtml(body_);
    else
        bodyView_->setPlainText(body_);
    tint(cancelButton_, tint_);
    tint(sendButton_, tint_);
}

void MailComposer::finish(Result result)
{
    if (finished_)
        return;
    finished_ = true;
    cancelButton_->setEnabled(false);
    sendButton_->setEnabled(false);
    if (delegate_)
        delegate_(result);
    else
        dismiss(true);
}

} // namespace platform
