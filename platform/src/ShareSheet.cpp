#include "platform/ShareSheet.h"

#include "AnimationMaking.h"
#include "NewFile.h"

#include "platform/MainScreen.h"
#include "platform/PicturesFolder.h"
#include "platform/ProgressRing.h"
#include "platform/SharedCopies.h"
#include "platform/UrlOpener.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <utility>
#include <QVBoxLayout>

namespace platform {

namespace {

constexpr qreal tabletShorterSide = 600;
constexpr int thumbnailSide = 120;

} // namespace

ShareSheet::ShareSheet(QByteArray jpeg, QWidget* parent) : ViewController(parent), jpeg_(std::move(jpeg))
{
    setObjectName(QStringLiteral("ShareSheet"));
    setAccessibleName(tr("Share"));
    setModalPresentationStyle(PresentationStyle::PageSheet);
    setFocusPolicy(Qt::StrongFocus);
}

ShareSheet::~ShareSheet()
{
    // The task stops at its next step and its result goes nowhere.
    if (making_)
        making_->cancel();
}

void ShareSheet::anchor(const QRect& sourceRect)
{
    setModalPresentationStyle(PresentationStyle::Popover);
    setPopoverSourceRect(sourceRect);
}

bool ShareSheet::isTabletScreen()
{
    const QSizeF size = services().mainScreen().size();
    return qMin(size.width(), size.height()) >= tabletShorterSide;
}

QString ShareSheet::savedFileName(const QDateTime& when, int n, const QString& suffix)
{
    const QString stamp = when.toString(QStringLiteral("yyyy-MM-dd 'at' HH.mm.ss"));
    return n > 1 ? QStringLiteral("Cellarium %1 (%2).%3").arg(stamp).arg(n).arg(suffix)
                 : QStringLiteral("Cellarium %1.%2").arg(stamp, suffix);
}

void ShareSheet::viewDidLoad()
{
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    auto* thumbnail = new QLabel(this);
    thumbnail->setObjectName(QStringLiteral("thumbnail"));
    thumbnail->setAlignment(Qt::AlignCenter);
    thumbnail->setAccessibleName(tr("Picture to share"));
    const QImage image = QImage::fromData(jpeg_, "JPEG");
    if (!image.isNull()) {
        // Drawn in the screen's pixels, so that it is as sharp as the picture behind it.
        const qreal scale = devicePixelRatioF();
        const int pixels = int(std::lround(thumbnailSide * scale));
        QPixmap pixmap = QPixmap::fromImage(image.scaled(pixels, pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        pixmap.setDevicePixelRatio(scale);
        thumbnail->setPixmap(pixmap);
    }
    layout->addWidget(thumbnail);

    auto* row = new QHBoxLayout;
    auto addButton = [this, &row](const QString& text, const char* name) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAccessibleName(text);
        button->setToolTip(text);
        row->addWidget(button);
        return button;
    };
    saveButton_ = addButton(tr("Save to Pictures"), "saveButton");
    copyButton_ = addButton(tr("Copy"), "copyButton");
    openButton_ = addButton(tr("Open"), "openButton");
    layout->addLayout(row);
    if (makeAnimation_) {
        row = new QHBoxLayout;
        saveAnimationButton_ = addButton(tr("Save animation"), "saveAnimationButton");
        copyAnimationButton_ = addButton(tr("Copy animation"), "copyAnimationButton");
        openAnimationButton_ = addButton(tr("Open animation"), "openAnimationButton");
        layout->addLayout(row);
        progressRing_ = new ProgressRing(this);
        progressRing_->setAccessibleName(tr("Making the animation"));
        progressRing_->setToolTip(tr("Making the animation"));
        progressRing_->hide();
        layout->addWidget(progressRing_, 0, Qt::AlignHCenter);
        connect(saveAnimationButton_, &QPushButton::clicked, this, [this] { shareAnimation(AnimationAction::save); });
        connect(copyAnimationButton_, &QPushButton::clicked, this, [this] { shareAnimation(AnimationAction::copy); });
        connect(openAnimationButton_, &QPushButton::clicked, this, [this] { shareAnimation(AnimationAction::open); });
    }

    failureLabel_ = new QLabel(this);
    failureLabel_->setObjectName(QStringLiteral("failureLabel"));
    failureLabel_->setTextFormat(Qt::PlainText);
    failureLabel_->setWordWrap(true);
    failureLabel_->hide();
    layout->addWidget(failureLabel_);

    cancelButton_ = new QPushButton(tr("Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    cancelButton_->setAccessibleName(tr("Cancel"));
    cancelButton_->setToolTip(tr("Cancel"));
    layout->addWidget(cancelButton_);

    connect(saveButton_, &QPushButton::clicked, this, [this] { saveToPictures(); });
    connect(copyButton_, &QPushButton::clicked, this, [this] { copyToClipboard(); });
    connect(openButton_, &QPushButton::clicked, this, [this] { openWithDefaultApplication(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] {
        if (making_)
            stopAnimation();
        else
            dismiss(true);
    });
}

void ShareSheet::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (making_)
            stopAnimation();
        else
            dismiss(true);
        return;
    }
    ViewController::keyPressEvent(event);
}

std::optional<QString> ShareSheet::saveToPictures()
{
    return save(jpeg_, QStringLiteral("jpg"));
}

std::optional<QString> ShareSheet::save(const QByteArray& bytes, const QString& suffix)
{
    const QDateTime now = QDateTime::currentDateTime();
    QString error;
    const std::optional<QString> path =
        writeNewFile(services().picturesFolder().path(), bytes, [&now, &suffix](int n) { return savedFileName(now, n, suffix); }, error);
    if (!path) {
        fail(tr("Not saved: %1").arg(error));
        return std::nullopt;
    }
    dismiss(true);
    return path;
}

bool ShareSheet::copyToClipboard()
{
    const QImage image = QImage::fromData(jpeg_, "JPEG");
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (image.isNull() || !clipboard) {
        fail(tr("Not copied"));
        return false;
    }
    auto* data = new QMimeData;
    data->setImageData(image);
    data->setData(QStringLiteral("image/jpeg"), jpeg_);
    clipboard->setMimeData(data);
    dismiss(true);
    return true;
}

bool ShareSheet::openWithDefaultApplication()
{
    return open(jpeg_, QStringLiteral("jpg"));
}

bool ShareSheet::open(const QByteArray& bytes, const QString& suffix)
{
    // The application reads the file after this call returns: it stays until the app ends.
    SharedCopies& copies = services().sharedCopies();
    const QDateTime now = QDateTime::currentDateTime();
    QString error = tr("No private folder for the copy");
    const std::optional<QString> path =
        copies.folder().isEmpty()
            ? std::nullopt
            : writeNewFile(copies.folder(), bytes, [&now, &suffix](int n) { return savedFileName(now, n, suffix); },
                           error);
    if (!path) {
        fail(tr("Not opened: %1").arg(error));
        return false;
    }
    copies.kept(*path);
    if (!services().urlOpener().openUrl(QUrl::fromLocalFile(*path))) {
        QFile::remove(*path);
        fail(tr("No application opens the picture"));
        return false;
    }
    dismiss(true);
    return true;
}

QString ShareSheet::failureText() const
{
    return failureLabel_ && !failureLabel_->isHidden() ? failureLabel_->text() : QString();
}

bool ShareSheet::shareAnimation(AnimationAction action)
{
    if (!makeAnimation_ || making_)
        return false;
    clearFailure();
    if (!animation_.isEmpty()) {
        doWithAnimation(action);
        return true;
    }
    making_ = new AnimationMaking(makeAnimation_, this);
    connect(making_, &AnimationMaking::progress, this, [this](double part) {
        if (progressRing_)
            progressRing_->setValue(part);
    });
    connect(making_, &AnimationMaking::finished, this,
            [this, action](std::optional<QByteArray> gif, const QString& error) {
                std::exchange(making_, nullptr)->deleteLater();
                setBusy(false);
                if (gif) {
                    animation_ = std::move(*gif);
                    doWithAnimation(action);
                } else if (!error.isEmpty()) {
                    fail(tr("No animation: %1").arg(error));
                }
            });
    setBusy(true);
    return true;
}

void ShareSheet::stopAnimation()
{
    if (making_)
        making_->cancel();
}

void ShareSheet::doWithAnimation(AnimationAction action)
{
    switch (action) {
    case AnimationAction::save: save(animation_, QStringLiteral("gif")); break;
    case AnimationAction::open: open(animation_, QStringLiteral("gif")); break;
    case AnimationAction::copy: {
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (!clipboard) {
            fail(tr("Not copied"));
            return;
        }
        // Programs that take no GIF get its first frame.
        auto* data = new QMimeData;
        data->setData(QStringLiteral("image/gif"), animation_);
        const QImage first = QImage::fromData(animation_, "GIF");
        if (!first.isNull())
            data->setImageData(first);
        clipboard->setMimeData(data);
        dismiss(true);
        break;
    }
    }
}

void ShareSheet::setBusy(bool busy)
{
    for (QPushButton* button :
         {saveButton_, copyButton_, openButton_, saveAnimationButton_, copyAnimationButton_, openAnimationButton_}) {
        if (button)
            button->setEnabled(!busy);
    }
    if (progressRing_) {
        progressRing_->setValue(0);
        progressRing_->setVisible(busy);
    }
}

QWidget* ShareSheet::progressRing() const
{
    return progressRing_;
}

void ShareSheet::clearFailure()
{
    if (failureLabel_)
        failureLabel_->hide();
}

void ShareSheet::fail(const QString& text)
{
    if (!failureLabel_)
        return;
    failureLabel_->setText(text);
    failureLabel_->setAccessibleName(text);
    failureLabel_->show();
}

} // namespace platform
