#pragma once

#include "platform/PlatformExport.h"
#include "platform/ViewController.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

class QLabel;
class QPushButton;

namespace platform {

// The share sheet for one JPEG picture, presented with present(): "Save to
// Pictures" writes it as a new dated file in picturesFolder() (never over an
// existing file), "Copy" puts the image on the clipboard, "Open" hands a copy,
// written into services().sharedCopies()' private folder, to the desktop's default
// application through services().urlOpener(). Each closes the
// sheet when it succeeds; a failure stays on the sheet with a line saying so.
// Escape or "Cancel" closes it. On a tablet-sized screen anchor() points it at
// its source as a popover; elsewhere it slides up as a sheet. Main thread only.
class PLATFORM_EXPORT ShareSheet : public ViewController {
    Q_OBJECT

public:
    explicit ShareSheet(QByteArray jpeg, QWidget* parent = nullptr);

    const QByteArray& item() const { return jpeg_; }

    // Presents as a popover beside `sourceRect` (window coordinates).
    void anchor(const QRect& sourceRect);
    // Whether services().mainScreen() is tablet-sized (its shorter side at least 600 points).
    static bool isTabletScreen();

    // The buttons' actions. saveToPictures() answers the new file's path.
    std::optional<QString> saveToPictures();
    bool copyToClipboard();
    bool openWithDefaultApplication();

    // "Cellarium 2026-12-08 at 22.30.05.jpg", or with " (n)" before ".jpg" for n > 1.
    static QString savedFileName(const QDateTime& when, int n = 1);

    QPushButton* saveButton() const { return saveButton_; }
    QPushButton* copyButton() const { return copyButton_; }
    QPushButton* openButton() const { return openButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    QString failureText() const;

protected:
    void viewDidLoad() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fail(const QString& text);

    QByteArray jpeg_;
    QPushButton* saveButton_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    QPushButton* openButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QLabel* failureLabel_ = nullptr;
};

} // namespace platform
