#include "platform/UserDefaults.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using platform::UserDefaults;

TEST(UserDefaults, MissingFileGivesEmptyDefaults)
{
    QTemporaryDir dir;
    UserDefaults defaults(dir.filePath(QStringLiteral("user-defaults.json")));
    EXPECT_FALSE(defaults.value(QStringLiteral("KeyOfDidShowGuide")).isValid());
}
