#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

// The widgets under test need a QApplication; no display is needed
// (QT_QPA_PLATFORM=offscreen) and nothing touches the user's own folders.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
