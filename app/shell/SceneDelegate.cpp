#include "shell/SceneDelegate.h"

#include "board/MainViewController.h"
#include "shell/BoardStateKeeper.h"

#include "platform/AppWindow.h"
#include "platform/IdleTimer.h"

SceneDelegate::SceneDelegate(QObject* parent)
    : QObject(parent)
{
}

void SceneDelegate::applicationStateChanged(Qt::ApplicationState state)
{
    platform::services().idleTimer().setApplicationActive(state == Qt::ApplicationActive);
    if (state == Qt::ApplicationInactive)
        sceneWillResignActive();
    else if (state == Qt::ApplicationHidden || state == Qt::ApplicationSuspended)
        sceneDidEnterBackground();
}

void SceneDelegate::pauseActiveBoard()
{
    if (window == nullptr)
        return;
    if (auto* board = qobject_cast<MainViewController*>(window->rootViewController()))
        board->pauseSimulation();
}

void SceneDelegate::saveBoard()
{
    if (stateKeeper != nullptr)
        stateKeeper->save();
}
