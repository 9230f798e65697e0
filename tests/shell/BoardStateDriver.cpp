// The real app with a scripted edit, for the tests that end the process: it runs as
// cellarium does, and once the board is up it edits it the way a user could (board
// size, a load, a tap's toggle, the speed, the drawing mode) and then, as the first
// argument says, ends itself with SIGTERM ("edit-then-sigterm") or prints "edited"
// and waits to be killed ("edit-and-wait").
#include "board/MainViewController.h"
#include "shell/CellariumApplication.h"

#include "platform/AppWindow.h"

#include <QApplication>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstring>

namespace {

MainViewController* theBoard()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<platform::AppWindow*>(widget))
            return qobject_cast<MainViewController*>(window->rootViewController());
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2 || (std::strcmp(argv[1], "edit-then-sigterm") != 0 && std::strcmp(argv[1], "edit-and-wait") != 0)) {
        std::fputs("usage: board-state-driver edit-then-sigterm|edit-and-wait\n", stderr);
        return 2;
    }
    const bool terminate = std::strcmp(argv[1], "edit-then-sigterm") == 0;
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    nameApplication();
    // Queued before the window shows, this turn comes first and queues the edit after
    // the board's own appearance.
    QTimer::singleShot(0, [terminate] { QTimer::singleShot(0, [terminate] {
        MainViewController* board = theBoard();
        if (board == nullptr) {
            std::fputs("board-state-driver: no board\n", stderr);
            std::exit(3);
        }
        board->changeBoardSize();  // 190 → 380
        const bool loaded = board->loadPattern(
            cellarium::LifeSet{{300, 300}, {301, 301}, {299, 302}, {300, 302}, {301, 302}});
        board->toggleLife({10, 12});
        board->setHighSpeed(true);
        board->togglePanMode();
        if (!loaded) {
            std::fputs("board-state-driver: the pattern did not load\n", stderr);
            std::exit(3);
        }
        if (terminate) {
            // Within this turn of the event loop, before any delayed save could run.
            std::raise(SIGTERM);
        } else {
            std::puts("edited");
            std::fflush(stdout);
        }
    }); });
    return runCellarium(CommandLineOptions{});
}
