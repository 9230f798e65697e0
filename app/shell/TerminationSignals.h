#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM and SIGINT into a normal quit of the event loop, so that a
// session logout or a Ctrl+C ends the app as cleanly as closing its window.
// One per process.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

private:
    static void handle(int signal);

    QSocketNotifier* notifier_ = nullptr;
};
