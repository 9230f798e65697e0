#include "qr/QRCodeMessage.h"

#include "model/PatternCoding.h"
#include "model/PatternText.h"
#include "RandomSoup.h"

#include <gtest/gtest.h>

#include <random>

using cellarium::Life;
using cellarium::LifeSet;

namespace {

// A pattern of about a thousand cells: its JSON encoding is far over a symbol's
// capacity, its RLE text well under it.
LifeSet thousandCells()
{
    std::mt19937_64 random(20261208);
    LifeSet lifes;
    for (const Life& life : cellarium::randomSoup(random, 70, 45, 0.5))
        lifes.insert(life);
    return lifes;
}

// Padding that keeps a pattern's encoding a pattern while pushing it over capacity.
std::string padded(const std::string& encoding)
{
    std::string json = encoding;
    json.insert(1, std::string(qrMaxMessageBytes, ' '));
    return json;
}

}  // namespace

TEST(QRCodeMessage, AnEncodingThatFitsIsTheMessageByteForByte)
{
    const LifeSet few{Life{1, 2}, Life{2, 2}};
    EXPECT_EQ(qrCodeMessage(cellarium::encodePattern(few)), cellarium::encodePattern(few));
    // Right at capacity, even bytes that are no pattern go as they are.
    const std::string full(qrMaxMessageBytes, '1');
    EXPECT_EQ(qrCodeMessage(full), full);
}

TEST(QRCodeMessage, ALargerPatternTravelsAsRleThatReadsBackToTheSameCells)
{
    const LifeSet lifes = thousandCells();
    ASSERT_GT(lifes.count(), 950u);
    const std::string json = cellarium::encodePattern(lifes);
    ASSERT_GT(json.size(), qrMaxMessageBytes);
    const std::optional<std::string> message = qrCodeMessage(json);
    ASSERT_TRUE(message);
    EXPECT_LE(message->size(), qrMaxMessageBytes);
    EXPECT_EQ(cellarium::sniffPatternFormat(*message), cellarium::PatternFormat::rle);
    EXPECT_EQ(*message, cellarium::writePatternText(lifes, cellarium::PatternFormat::rle));
    const cellarium::PatternReading back = cellarium::readPatternText(*message, 190);
    ASSERT_TRUE(back) << back.fault;
    EXPECT_EQ(back.lifes->count(), lifes.count());
}

TEST(QRCodeMessage, NothingWhenNeitherTheEncodingNorItsRleFits)
{
    // Not a pattern.
    EXPECT_FALSE(qrCodeMessage(std::string(qrMaxMessageBytes + 1, '1')));
    // A soup whose RLE is over capacity too.
    std::mt19937_64 random(7);
    LifeSet soup;
    for (const Life& life : cellarium::randomSoup(random, 0, 120, 0.5))
        soup.insert(life);
    EXPECT_FALSE(qrCodeMessage(cellarium::encodePattern(soup)));
}

TEST(QRCodeMessage, RegressionCellsFarApartAreNotScannedDenselyForAnRleNoReaderWouldTake)
{
    // Two cells 10^12 apart: a dense scan of their box would need far more memory than exists.
    const LifeSet far{Life{0, 0}, Life{1'000'000'000'000, 1'000'000'000'000}};
    EXPECT_FALSE(qrCodeMessage(padded(cellarium::encodePattern(far))));
    // Just inside what a reader takes back, it is written.
    const LifeSet wide{Life{0, 0}, Life{cellarium::kMaxPatternTextRows - 1, 0}};
    const std::optional<std::string> message = qrCodeMessage(padded(cellarium::encodePattern(wide)));
    ASSERT_TRUE(message);
    EXPECT_EQ(cellarium::sniffPatternFormat(*message), cellarium::PatternFormat::rle);
}
