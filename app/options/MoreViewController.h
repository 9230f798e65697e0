#pragma once

#include "BoardSettingsReceiver.h"
#include "LifeSet.h"
#include "PlacedPattern.h"

#include "platform/GridViewDataSource.h"
#include "platform/GridViewDelegate.h"
#include "platform/SheetScreen.h"

#include <QColor>
#include <QImage>
#include <QPointer>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class BigAlertController;
class SomethingHappenedInMoreViewController;
namespace cellarium {
class CoreLifeContainer;
}
namespace platform {
class GridView;
class NoticeLine;
}
namespace Ui {
class MoreViewController;
}

// The options screen: a grid of eighteen icon-only items for the board's
// settings and actions, pattern exchange, the archive, the guide, the app icon
// and the about items. The board opens it with "ShowMore" and hands it the
// delegate (held weakly) and its settings before it loads. Main thread only.
class MoreViewController : public platform::SheetScreen,
                           public BoardSettingsReceiver,
                           public platform::GridViewDataSource,
                           public platform::GridViewDelegate {
    Q_OBJECT

public:
    static constexpr int itemCount = 18;
    static constexpr qreal iconPointSize = 44;
    static constexpr int bigAlertDelayMs = 1000;
    static constexpr const char* didUseLiveIconKey = "DidUseLiveIcon";
    static constexpr const char* otherAppIconName = "OtherAppIcon";
    static constexpr const char* savedSymbol = "checkmark.square";
    static constexpr const char* notSavedSymbol = "xmark";

    enum Row {
        boardSizeRow, panModeRow, speedRow, restartRow, clearRow, pictureRow, qrCodeRow, scanRow, saveRow,
        archiveRow, guideRow, appIconRow, privacyRow, feedbackRow, reviewRow, websiteRow, filingRow, moreAppsRow,
    };

    explicit MoreViewController(QWidget* parent = nullptr);
    ~MoreViewController() override;

    // The board, and copies of its settings; each setter refreshes its item's icon.
    void setDelegate(SomethingHappenedInMoreViewController* board) override;
    SomethingHappenedInMoreViewController* delegate() const;
    void setCountOfRows(std::int64_t rows) override;
    std::int64_t countOfRows() const { return countOfRows_; }
    void setPanMode(bool panMode) override;
    bool panMode() const { return panMode_; }
    void setHighSpeed(bool highSpeed) override;
    bool highSpeed() const { return highSpeed_; }
    void setDidUseLiveIcon(bool didUseLiveIcon);
    bool didUseLiveIcon() const { return didUseLiveIcon_; }
    // The app icon choice the toggle stored; std::nullopt when none is, or it is no Boolean.
    static std::optional<bool> storedDidUseLiveIcon();

    // The icon of each item, by row; null where the name does not resolve.
    const std::array<QImage, itemCount>& images() const { return images_; }
    // The name of the image shown at `row` ("square.fill", "standardIconImage", ...).
    QString imageName(int row) const;
    // What a screen reader and the tooltip say for `row`, and the value it holds.
    QString accessibleNameOfRow(int row) const;
    QString accessibleDescriptionOfRow(int row) const;

    const std::optional<std::string>& lifeData() const { return lifeData_; }
    const QImage& savedImage() const { return savedImage_; }

    // Applies didUseLiveIcon through the platform's alternate icons.
    void applyAppIcon();
    // Presents a big alert and dismisses it one second after it has appeared.
    void showBigAlert(const QString& title, const QString& systemImageName);

    // For the archive browser and the scanner: loads a pattern into the board (which
    // may grow it; this screen's board size follows), then closes this screen. When
    // the board refuses the pattern this screen stays. The action holds this screen weakly.
    std::function<void(const cellarium::PlacedPattern&)> patternHandBack();

    // Outlets; valid once the view has loaded.
    platform::GridView* collectionView() const;
    QWidget* closeButton() const;
    // The line that says why an item did nothing ("No application opens web links").
    platform::NoticeLine* noticeLine() const { return notice_; }

    // The grid's data source and delegate.
    int numberOfItems(platform::GridView& grid) override;
    platform::GridViewCell* cellForItem(platform::GridView& grid, int item) override;
    QSizeF sizeForItem(platform::GridView& grid, int item) override;
    void didSelectItem(platform::GridView& grid, int item) override;

    // Runs `work` on the main thread after `ms` milliseconds unless `context` is gone;
    // tests replace it so that delayed work runs when they say.
    using DelayedWork = std::function<void(int ms, QObject* context, std::function<void()> work)>;
    static void setDelayedWork(DelayedWork delayedWork);

protected:
    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;
    void prepare(platform::Segue& segue, QObject* sender) override;

private:
    void refreshIcon(int row);
    void changeBoardSize();
    void togglePanMode();
    void toggleSpeed();
    void toggleAppIcon();
    void saveToArchive();
    void showBoardPicture();
    void showPatternCode();
    void showFilingRecord();
    // An about item's address, or the refusal and a line where nothing opens it.
    void openAboutAddress(const QString& url, const std::optional<QColor>& tintColor);
    void refuse(const QString& why);
    void reloadItem(int row);
    void playClickFeedback();

    std::unique_ptr<Ui::MoreViewController> ui_;
    platform::NoticeLine* notice_ = nullptr;
    SomethingHappenedInMoreViewController* delegate_ = nullptr;
    QPointer<QObject> delegateObject_; // the board as a QObject, so that a deleted board reads as gone
    bool delegateIsObject_ = false;
    std::int64_t countOfRows_ = 190;
    bool panMode_ = false;
    bool highSpeed_ = false;
    bool didUseLiveIcon_ = false;
    std::array<QImage, itemCount> images_;
    std::array<QString, itemCount> imageNames_;
    std::optional<std::string> lifeData_;
    QImage savedImage_;
    bool chinaFiling_ = false; // the storefront is China and the app has a filing number
};
