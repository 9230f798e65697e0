#pragma once

#include <QObject>
#include <QPointer>

namespace platform {
class AppWindow;
}

// The one scene's delegate: pauses the board whenever the app stops being the
// active foreground app, and keeps the screen awake only while it is.
class SceneDelegate : public QObject {
    Q_OBJECT

public:
    explicit SceneDelegate(QObject* parent = nullptr);

    QPointer<platform::AppWindow> window;

    // Follows the application's state. Qt reports a change after it has happened,
    // so every change away from active pauses, without asking again whether the
    // scene is still active (it never would be).
    void applicationStateChanged(Qt::ApplicationState state);

    void sceneWillResignActive() { pauseActiveBoard(); }
    void sceneDidEnterBackground() { pauseActiveBoard(); }

    // Pauses the simulation of the board at the root of `window`, if any.
    void pauseActiveBoard();
};
