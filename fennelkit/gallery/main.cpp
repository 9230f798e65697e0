// fennelkit-gallery [--screenshot FILE] [--after MS]
//
// Shows the first-run guide as a card over the animated random background.
// With --screenshot, writes the window to FILE (PNG) after MS milliseconds
// (5000 unless given) and quits.

#include "FNApp.h"
#include "FNGuideView.h"
#include "FNRandomBackgroundView.h"
#include "ScreenMetrics.h"

#include "platform/UserDefaults.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QColor>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

using namespace fennelkit;

namespace {

void showGuide(QWidget* window, const QRect& card)
{
    FNGuideView* guide = FNGuideView::initFromNib(FNApp::cellarium.tintColor(), FNApp::cellarium.guideText(), [=] {
        // Start over a little after the last page, so the guide can be watched again.
        QTimer::singleShot(3000, window, [=] { showGuide(window, card); });
    });
    guide->setGeometry(card);
    guide->showGuide(window, nullptr);
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("fennelkit-gallery"));

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({QStringLiteral("screenshot"), QStringLiteral("Write the window to <file> and quit."),
                      QStringLiteral("file")});
    parser.addOption({QStringLiteral("after"), QStringLiteral("Milliseconds before the screenshot."),
                      QStringLiteral("ms"), QStringLiteral("5000")});
    parser.process(app);

    // The gallery must not mark the real app's guide as seen.
    QTemporaryDir defaultsDir;
    platform::setUserDefaults(std::make_unique<platform::UserDefaults>(defaultsDir.filePath("user-defaults.json")));

    QWidget window;
    window.setWindowTitle(QStringLiteral("FennelKit gallery"));
    window.setFixedSize(QSize(int(screenWidth()), int(screenHeight())));
    window.setAutoFillBackground(true);

    const FNRandomBackgroundView background(QColor(0x0b, 0x3d, 0x91));
    QWidget* backgroundView = background.makeView();
    backgroundView->setParent(&window);
    backgroundView->setGeometry(window.rect());
    background.updateView(*backgroundView);

    window.show();
    const QRect card = window.rect().adjusted(16, 300, -16, -16);
    showGuide(&window, card);

    if (parser.isSet(QStringLiteral("screenshot"))) {
        const QString file = parser.value(QStringLiteral("screenshot"));
        QTimer::singleShot(parser.value(QStringLiteral("after")).toInt(), &window, [&] {
            const bool saved = window.grab().save(file, "PNG");
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return QApplication::exec();
}
