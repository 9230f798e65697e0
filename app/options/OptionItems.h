#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// What each of the options screen's eighteen items shows for a board state: its
// icon's name and where the icon comes from, and what a screen reader and the
// tooltip say. The texts are translated screen text, so the table lives beside the
// screen rather than in the model; the board-size rule comes from BoardSize.
// Pure function of its input; any thread once a QCoreApplication exists.
class OptionItems {
public:
    static constexpr int count = 18;

    enum Row {
        boardSizeRow, panModeRow, speedRow, restartRow, clearRow, pictureRow, qrCodeRow, scanRow, saveRow,
        archiveRow, guideRow, appIconRow, privacyRow, feedbackRow, reviewRow, websiteRow, filingRow, moreAppsRow,
    };

    // A system symbol, or one of the app's own images (AppImages.h).
    enum class Source { System, App };

    // What the items depend on.
    struct State {
        std::optional<std::int64_t> countOfRows = std::nullopt;  // unknown until the board hands it over
        bool panMode = false;
        bool highSpeed = false;
        bool didUseLiveIcon = false;
        bool chinaFiling = false;  // the storefront is China and the app has a filing number
    };

    struct Item {
        Source source;
        const char* symbol;
        QString accessibleName;
        QString accessibleDescription;  // the value the item holds, or empty
    };

    // The item at `row` for `state`; an empty item (no symbol, no name) outside the grid.
    static Item item(int row, const State& state);

    OptionItems() = delete;
};
