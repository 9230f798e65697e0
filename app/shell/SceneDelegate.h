#pragma once

#include <QObject>
#include <QPointer>

namespace platform {
class AppWindow;
}
class BoardStateKeeper;

// The one scene's delegate: pauses the board whenever the app stops being the
// active foreground app, and keeps the screen awake only while it is. Each change away
// from active also saves the board: a desktop reports leaving the foreground as no
// more than inactive, and the system may end the app from there.
class SceneDelegate : public QObject {
    Q_OBJECT

public:
    explicit SceneDelegate(QObject* parent = nullptr);

    QPointer<platform::AppWindow> window;
    QPointer<BoardStateKeeper> stateKeeper;

    // Follows the application's state. Qt reports a change after it has happened,
    // so every change away from active pauses, without asking again whether the
    // scene is still active (it never would be).
    void applicationStateChanged(Qt::ApplicationState state);

    void sceneWillResignActive()
    {
        pauseActiveBoard();
        saveBoard();
    }
    void sceneDidEnterBackground()
    {
        pauseActiveBoard();
        saveBoard();
    }

    // Pauses the simulation of the board at the root of `window`, if any.
    void pauseActiveBoard();
    // Hands the board to the state keeper, if any.
    void saveBoard();
};
