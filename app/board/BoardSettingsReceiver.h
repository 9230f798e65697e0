#pragma once

#include <cstdint>

class QObject;
class SomethingHappenedInMoreViewController;

// A screen the board opens with "ShowMore" and hands its settings before it loads:
// the board itself (held weakly), then copies of the row count, the drawing mode
// and the speed, in that order.
class BoardSettingsReceiver {
public:
    virtual ~BoardSettingsReceiver() = default;

    virtual void setDelegate(SomethingHappenedInMoreViewController* board) = 0;
    virtual void setCountOfRows(std::int64_t rows) = 0;
    virtual void setPanMode(bool panMode) = 0;
    virtual void setHighSpeed(bool highSpeed) = 0;
};

// The settings the board hands over, as they are when the screen opens.
struct BoardSettings {
    std::int64_t countOfRows;
    bool panMode;
    bool highSpeed;
};

// Hands `board` and `settings` to `destination`, which must be a receiver (the
// "ShowMore" segue leads to the options screen); anything else gets nothing.
void handBoardSettings(QObject* destination, SomethingHappenedInMoreViewController& board,
                       const BoardSettings& settings);
