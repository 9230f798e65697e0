#pragma once

#include "platform/PlatformExport.h"
#include "platform/ViewController.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

class QLabel;
class QPushButton;

namespace platform {

class AnimationMaking;
class ProgressRing;

// The share sheet for one JPEG picture, presented with present(): "Save to
// Pictures" writes it as a new dated file in services().picturesFolder() (never over an
// existing file), "Copy" puts the image on the clipboard, "Open" hands a copy,
// written into services().sharedCopies()' private folder, to the desktop's default
// application through services().urlOpener(). Each closes the
// sheet when it succeeds; a failure stays on the sheet with a line saying so.
// Escape or "Cancel" closes it. On a tablet-sized screen anchor() points it at
// its source as a popover; elsewhere it slides up as a sheet.
//
// Given an animation maker, the sheet also offers "Save animation", "Copy
// animation" and "Open animation", which do the same with the GIF the maker
// makes: on a pool thread, once per sheet, with a progress ring meanwhile. While
// it is made, "Cancel" or Escape stops it and the sheet stays; closing the sheet
// stops it too. Main thread only.
class PLATFORM_EXPORT ShareSheet : public ViewController {
    Q_OBJECT

public:
    // Makes the GIF on a pool thread: tells `progress` the part done (0 to 1) and
    // stops when it answers false. nullopt when stopped or failed, with `error`
    // saying why when it failed. It must own everything it reads.
    using AnimationMaker = std::function<std::optional<QByteArray>(const std::function<bool(double)>& progress,
                                                                   QString& error)>;
    enum class AnimationAction { save, copy, open };

    explicit ShareSheet(QByteArray jpeg, QWidget* parent = nullptr);
    ~ShareSheet() override;

    const QByteArray& item() const { return jpeg_; }
    // Before the sheet loads.
    void setAnimationMaker(AnimationMaker make) { makeAnimation_ = std::move(make); }
    // The GIF once it has been made; empty before.
    const QByteArray& animation() const { return animation_; }
    // Starts making the animation, or uses the one made, then does `action` with it.
    // False when there is no maker or one is being made.
    bool shareAnimation(AnimationAction action);
    bool isMakingAnimation() const { return making_ != nullptr; }
    // Stops the animation being made; the sheet stays.
    void stopAnimation();

    // Presents as a popover beside `sourceRect` (window coordinates).
    void anchor(const QRect& sourceRect);
    // Whether services().mainScreen() is tablet-sized (its shorter side at least 600 points).
    static bool isTabletScreen();

    // The buttons' actions. saveToPictures() answers the new file's path.
    std::optional<QString> saveToPictures();
    bool copyToClipboard();
    bool openWithDefaultApplication();

    // "Cellarium 2026-12-08 at 22.30.05.jpg", or with " (n)" before ".jpg" for n > 1;
    // the animation's end in ".gif".
    static QString savedFileName(const QDateTime& when, int n = 1, const QString& suffix = QStringLiteral("jpg"));

    QPushButton* saveButton() const { return saveButton_; }
    QPushButton* copyButton() const { return copyButton_; }
    QPushButton* openButton() const { return openButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    QPushButton* saveAnimationButton() const { return saveAnimationButton_; }
    QPushButton* copyAnimationButton() const { return copyAnimationButton_; }
    QPushButton* openAnimationButton() const { return openAnimationButton_; }
    QWidget* progressRing() const;
    QString failureText() const;

protected:
    void viewDidLoad() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fail(const QString& text);
    void clearFailure();
    std::optional<QString> save(const QByteArray& bytes, const QString& suffix);
    bool open(const QByteArray& bytes, const QString& suffix);
    void doWithAnimation(AnimationAction action);
    void setBusy(bool busy);

    QByteArray jpeg_;
    AnimationMaker makeAnimation_;
    QByteArray animation_;
    AnimationMaking* making_ = nullptr;
    QPushButton* saveAnimationButton_ = nullptr;
    QPushButton* copyAnimationButton_ = nullptr;
    QPushButton* openAnimationButton_ = nullptr;
    ProgressRing* progressRing_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    QPushButton* openButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QLabel* failureLabel_ = nullptr;
};

} // namespace platform
