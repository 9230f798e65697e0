#pragma once

#include "board/BoardSettingsReceiver.h"
#include "model/LifeSet.h"
#include "model/PlacedPattern.h"
#include "options/AppIconChoice.h"
#include "options/BigAlertController.h"
#include "options/OptionGridSource.h"
#include "options/OptionItems.h"
#include "options/SaveToArchive.h"
#include "options/SettingItems.h"

#include "platform/GridViewDelegate.h"
#include "platform/SheetScreen.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPointer>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class SomethingHappenedInMoreViewController;
namespace cellarium {
class CoreLifeContainer;
class CoreLifeManager;
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
// and the about items. What each item shows comes from OptionItems; this screen
// dispatches a chosen item and opens the screens behind them. The board opens it
// with "ShowMore" and hands it the delegate (held weakly) and its settings before
// it loads. Main thread only.
class MoreViewController : public platform::SheetScreen,
                           public BoardSettingsReceiver,
                           public platform::GridViewDelegate {
    Q_OBJECT

public:
    static constexpr int itemCount = OptionItems::count;
    static constexpr qreal iconPointSize = OptionGridSource::iconPointSize;
    static constexpr int bigAlertDelayMs = SaveToArchive::alertDelayMs;
    static constexpr const char* didUseLiveIconKey = AppIconChoice::didUseLiveIconKey;
    static constexpr const char* otherAppIconName = AppIconChoice::otherAppIconName;
    static constexpr const char* savedSymbol = BigAlertController::savedSymbol;
    static constexpr const char* notSavedSymbol = BigAlertController::notSavedSymbol;

    using Row = OptionItems::Row;
    using enum OptionItems::Row;

    // Runs `work` on the main thread after `ms` milliseconds unless `context` is gone;
    // empty runs it on a timer (tests hand in their own to run it when they say).
    using DelayedWork = SaveToArchive::DelayedWork;

    // `archive` is where "Save to archive" saves; it outlives the screen.
    explicit MoreViewController(cellarium::CoreLifeManager& archive, DelayedWork delayedWork = {},
                                QWidget* parent = nullptr);
    ~MoreViewController() override;

    // The board, and copies of its settings; each setter refreshes its item's icon.
    void setDelegate(SomethingHappenedInMoreViewController* board) override { settings_.setBoard(board); }
    SomethingHappenedInMoreViewController* delegate() const { return settings_.board(); }
    void setCountOfRows(std::int64_t rows) override { items_.setCountOfRows(rows); }
    std::int64_t countOfRows() const { return items_.state().countOfRows.value_or(190); }
    void setPanMode(bool panMode) override { items_.setPanMode(panMode); }
    bool panMode() const { return items_.state().panMode; }
    void setHighSpeed(bool highSpeed) override { items_.setHighSpeed(highSpeed); }
    bool highSpeed() const { return items_.state().highSpeed; }
    void setDidUseLiveIcon(bool didUseLiveIcon) { items_.setDidUseLiveIcon(didUseLiveIcon); }
    bool didUseLiveIcon() const { return items_.state().didUseLiveIcon; }
    // The app icon choice the toggle stored; std::nullopt when none is, or it is no Boolean.
    static std::optional<bool> storedDidUseLiveIcon() { return AppIconChoice::stored(); }

    // The icon of each item, by row; null where the name does not resolve.
    const std::array<QImage, itemCount>& images() const { return items_.images(); }
    // The name of the image shown at `row` ("square.fill", "standardIconImage", ...).
    QString imageName(int row) const { return items_.imageName(row); }
    // What a screen reader and the tooltip say for `row`, and the value it holds.
    QString accessibleNameOfRow(int row) const { return items_.item(row).accessibleName; }
    QString accessibleDescriptionOfRow(int row) const { return items_.item(row).accessibleDescription; }

    // The encoding of the live cells last handed to the QR screen; std::nullopt when
    // the board picture was.
    std::optional<std::string> lifeData() const;
    const QImage& savedImage() const { return savedImage_; }

    // Applies didUseLiveIcon through the platform's alternate icons.
    void applyAppIcon() { AppIconChoice::apply(didUseLiveIcon()); }

    // For the archive browser and the scanner: loads a pattern into the board (which
    // may grow it; this screen's board size follows), then closes this screen. When
    // the board refuses the pattern this screen stays. The action holds this screen weakly.
    std::function<void(const cellarium::PlacedPattern&)> patternHandBack();

    // Outlets; valid once the view has loaded.
    platform::GridView* collectionView() const;
    QWidget* closeButton() const;
    // The line that says why an item did nothing ("No application opens web links").
    platform::NoticeLine* noticeLine() const { return notice_; }

    // The grid's delegate (its data source is an OptionGridSource).
    QSizeF sizeForItem(platform::GridView& grid, int item) override;
    void didSelectItem(platform::GridView& grid, int item) override;

protected:
    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;
    void prepare(platform::Segue& segue, QObject* sender) override;

private:
    void saveToArchive();
    void showBoardPicture();
    void showPatternCode();
    void refuse(const QString& why);
    void reloadItem(int row);
    void playClickFeedback();

    cellarium::CoreLifeManager& archive_;
    DelayedWork delayedWork_;
    std::unique_ptr<Ui::MoreViewController> ui_;
    platform::NoticeLine* notice_ = nullptr;
    OptionGridSource items_;
    SettingItems settings_{items_};
    std::optional<cellarium::LifeSet> patternLifes_;  // for the QR screen; or savedImage_
    QImage savedImage_;
    // Makes the board picture's animation, from the board as the picture shows it.
    std::function<std::optional<QByteArray>(const std::function<bool(double)>&, QString&)> boardAnimation_;
};
