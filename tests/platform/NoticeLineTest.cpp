#include "platform/NoticeLine.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QWidget>

#include <gtest/gtest.h>

// What a screen reader meets: an alert whose name is the line, there only while it says something.
TEST(NoticeLine, SaysItsLineAsAnAlertAndHidesWhenCleared)
{
    QWidget screen;
    auto* line = new platform::NoticeLine(&screen);
    screen.show();
    EXPECT_FALSE(line->isVisible()) << "a line with nothing to say takes no room";

    line->say(QStringLiteral("No pattern in this picture"));
    EXPECT_TRUE(line->isVisible());
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(line);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::AlertMessage);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("No pattern in this picture"));

    line->clear();
    EXPECT_FALSE(line->isVisible());
}
