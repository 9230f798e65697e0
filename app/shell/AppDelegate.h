#pragma once

#include <QString>

// How a scene is set up: its configuration's name and the role it was asked for.
struct SceneConfiguration {
    QString name;
    QString role;
};

// The application's delegate: what happens at launch, and the configuration of
// each scene the platform connects.
class AppDelegate {
public:
    // Gives every alert the app's tint. True: the launch goes on.
    bool didFinishLaunching();
    SceneConfiguration configurationForConnecting(const QString& role) const;
    void didDiscardSceneSessions() {}
};
