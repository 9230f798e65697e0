#include "options/SaveToArchive.h"

#include "model/PatternCoding.h"
#include "options/BigAlertController.h"
#include "store/CoreLifeManager.h"

#include "platform/ViewController.h"

#include <QPointer>
#include <QTimer>

#include <chrono>

void SaveToArchive::save(const cellarium::LifeSet& lifes, cellarium::CoreLifeManager& archive,
                         platform::ViewController& screen, DelayedWork delayedWork)
{
    const cellarium::StoreResult<std::int64_t> saved = cellarium::CoreLifeManager::saveLife(
        cellarium::encodePattern(lifes), std::chrono::floor<std::chrono::milliseconds>(std::chrono::system_clock::now()),
        archive.persistentContainer());
    QPointer<platform::ViewController> self(&screen);
    QMetaObject::invokeMethod(
        &screen,
        [self, saved, delayedWork = std::move(delayedWork)] {
            if (self)
                showAnswer(saved, *self, delayedWork);
        },
        Qt::QueuedConnection);
}

void SaveToArchive::showAnswer(const cellarium::StoreResult<std::int64_t>& saved, platform::ViewController& screen,
                               const DelayedWork& delayedWork)
{
    BigAlertController* alert = BigAlertController::saveConfirmation(saved);
    alert->setPalette(screen.palette());
    QPointer<BigAlertController> shown(alert);
    screen.present(alert, true, [shown, delayedWork] {
        if (!shown)
            return;
        auto dismiss = [shown] {
            if (shown)
                shown->dismiss(true);
        };
        if (delayedWork)
            delayedWork(alertDelayMs, shown, dismiss);
        else
            QTimer::singleShot(alertDelayMs, shown, dismiss);
    });
}
