#include "qr/QRCodeImage.h"
#include "QRPeers.h"

#include "model/LifeSet.h"
#include "model/PatternCoding.h"
#include "RandomSoup.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Modules across the symbol (without the quiet zone) of a 10-pixel-module image.
int symbolModules(const QImage& code)
{
    return code.width() / 10 - 2 * qrQuietZoneModules;
}

int versionOf(const QImage& code)
{
    return (symbolModules(code) - 17) / 4;
}

}  // namespace

TEST(QRCodeImage, SmallestVersionAtLevelMInByteMode)
{
    // Byte-mode capacities at level M: version 1 holds 14 bytes, version 2 holds 26, version 40 holds 2331.
    EXPECT_EQ(versionOf(qrCodeImage("[]")), 1);
    EXPECT_EQ(versionOf(qrCodeImage(std::string(14, 'a'))), 1);
    EXPECT_EQ(versionOf(qrCodeImage(std::string(15, 'a'))), 2);
    EXPECT_EQ(versionOf(qrCodeImage(std::string(26, 'a'))), 2);
    EXPECT_EQ(versionOf(qrCodeImage(std::string(27, 'a'))), 3);
    EXPECT_EQ(versionOf(qrCodeImage(std::string(2331, 'a'))), 40);
}

TEST(QRCodeImage, MessageOverTheLargestSymbolsCapacityGivesNoImage)
{
    EXPECT_TRUE(qrCodeImage(std::string(2332, 'a')).isNull());
    EXPECT_TRUE(qrCodeImage(std::string(100000, '[')).isNull());
}

TEST(QRCodeImage, ModulesAreTenPixelSquaresInsideAFourModuleWhiteQuietZone)
{
    const QImage code = qrCodeImage("[{\"x\":1,\"y\":2}]");
    ASSERT_FALSE(code.isNull());
    EXPECT_EQ(code.width(), code.height());
    EXPECT_EQ(code.width() % 10, 0);
    const int quiet = qrQuietZoneModules * 10;
    for (int i = 0; i < code.width(); ++i) {
        for (int edge : {0, quiet - 1, code.width() - quiet, code.width() - 1}) {
            EXPECT_EQ(qGray(code.pixel(i, edge)), 255) << i << "," << edge;
            EXPECT_EQ(qGray(code.pixel(edge, i)), 255) << edge << "," << i;
        }
    }
    // The finder pattern's dark corner fills its module completely, and the next module is light.
    for (int y = quiet; y < quiet + 10; ++y)
        for (int x = quiet; x < quiet + 10; ++x)
            EXPECT_EQ(qGray(code.pixel(x, y)), 0);
    // Every pixel is pure black or white, constant within each module.
    for (int y = 0; y < code.height(); ++y)
        for (int x = 0; x < code.width(); ++x)
            EXPECT_EQ(code.pixel(x, y), code.pixel(x / 10 * 10, y / 10 * 10));
}

TEST(QRCodeImage, EveryCodeDecodesWithZbarimgToExactlyThePatternsBytes)
{
    SKIP_WITHOUT_ZBARIMG();
    std::vector<std::string> messages = {
        "[]",
        cellarium::encodePattern(cellarium::LifeSet{cellarium::Life{10, 10}, cellarium::Life{11, 10}, cellarium::Life{12, 10}}),
        cellarium::encodePattern(cellarium::LifeSet{cellarium::Life{-3, std::nullopt}, cellarium::Life{std::nullopt, 9}}),
        "[{\"x\":9223372036854775807,\"y\":-9223372036854775808}]",
    };
    // Random soups up to the largest symbol.
    std::mt19937_64 random(11);
    for (double density : {0.05, 0.2, 0.5}) {
        const cellarium::LifeSet soup(cellarium::randomSoup(random, 0, 12, density));
        messages.push_back(cellarium::encodePattern(soup));
    }
    messages.push_back(std::string(2331, '7'));
    for (const std::string& message : messages) {
        if (message.size() > 2331)
            continue;
        const QImage code = qrCodeImage(message);
        ASSERT_FALSE(code.isNull()) << message.size();
        const std::optional<QByteArray> read = qrpeers::zbarDecode(code);
        ASSERT_TRUE(read.has_value()) << message;
        EXPECT_EQ(read->toStdString(), message);
    }
}
