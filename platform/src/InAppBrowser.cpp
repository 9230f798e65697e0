#include "platform/InAppBrowser.h"

#include "platform/UrlOpener.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace platform {

InAppBrowser::InAppBrowser(QUrl url, QWidget* parent) : ViewController(parent), url_(std::move(url)) {}

void InAppBrowser::setControlTintColor(const QColor& color)
{
    tint_ = color;
    applyStyle();
}

void InAppBrowser::setDismissButtonStyleClose()
{
    dismissStyle_ = DismissButtonStyle::Close;
    applyStyle();
}

void InAppBrowser::viewDidLoad()
{
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    dismissButton_ = new QPushButton(this);
    dismissButton_->setObjectName(QStringLiteral("dismissButton"));
    dismissButton_->setFlat(true);
    addressLabel_ = new QLabel(url_.host().isEmpty() ? url_.toDisplayString() : url_.host(), this);
    addressLabel_->setObjectName(QStringLiteral("addressLabel"));
    addressLabel_->setAlignment(Qt::AlignCenter);
    addressLabel_->setTextFormat(Qt::PlainText);
    addressLabel_->setToolTip(url_.toDisplayString());
    openButton_ = new QPushButton(tr("Open in Browser"), this);
    openButton_->setObjectName(QStringLiteral("openInBrowserButton"));
    openButton_->setFlat(true);
    bar->addWidget(dismissButton_);
    bar->addWidget(addressLabel_, 1);
    bar->addWidget(openButton_);
    layout->addLayout(bar);

    // No web engine here: the page itself is the desktop browser's job.
    auto* page = new QLabel(url_.toDisplayString(), this);
    page->setObjectName(QStringLiteral("pageAddress"));
    page->setTextFormat(Qt::PlainText);
    page->setAlignment(Qt::AlignCenter);
    page->setWordWrap(true);
    page->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(page, 1);

    connect(dismissButton_, &QPushButton::clicked, this, [this] { dismiss(true); });
    connect(openButton_, &QPushButton::clicked, this, [this] { services().urlOpener().openUrl(url_); });
    applyStyle();
}

void InAppBrowser::applyStyle()
{
    if (!dismissButton_)
        return;
    dismissButton_->setText(dismissStyle_ == DismissButtonStyle::Close ? tr("Close") : tr("Done"));
    for (QPushButton* button : {dismissButton_, openButton_}) {
        QPalette palette = QApplication::palette(button);
        palette.setColor(QPalette::ButtonText, tint_.isValid() ? tint_ : palette.color(QPalette::Highlight));
        button->setPalette(palette);
    }
}

} // namespace platform
