#include "board/BoardSettingsReceiver.h"

#include <QObject>

void handBoardSettings(QObject* destination, SomethingHappenedInMoreViewController& board,
                       const BoardSettings& settings)
{
    auto* receiver = dynamic_cast<BoardSettingsReceiver*>(destination);
    Q_ASSERT_X(receiver != nullptr, "handBoardSettings", "the ShowMore segue leads to the options screen");
    if (receiver == nullptr)
        return;
    receiver->setDelegate(&board);
    receiver->setCountOfRows(settings.countOfRows);
    receiver->setPanMode(settings.panMode);
    receiver->setHighSpeed(settings.highSpeed);
}
