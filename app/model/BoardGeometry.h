#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

namespace cellarium {

// What the geometry needs of the main screen: its size in points and its scale.
struct ScreenInputs {
    double width = 390;
    double height = 844;
    double scale = 3;
};

// The board's geometry: the row count and the sizes derived from the screen. The
// board screen owns one, made from the screen metrics it is handed at start, and
// hands it to what draws or reads the board.
// The screen is read once, on first use of any screen value. maxScale, lifeWidth
// and contentWidth are derived on first use and again only by
// recomputeDerivedValues(), which the board-size change calls after setting the
// row count. Reads may come from any thread once the values exist; changes belong
// to the main thread.
class BoardGeometry {
public:
    explicit BoardGeometry(std::function<ScreenInputs()> readScreen);
    explicit BoardGeometry(ScreenInputs screen) : BoardGeometry([screen] { return screen; }) {}

    std::int64_t countOfRows() const { return countOfRows_; }
    double mainScreenWidth() const { return screen().width; }
    double mainScreenHeight() const { return screen().height; }
    double onePixel() const { return 1.0 / screen().scale; }
    double maxScale() const { return derived().maxScale; }
    double lifeWidth() const { return derived().lifeWidth; }
    double contentWidth() const { return derived().contentWidth; }

    void setCountOfRows(std::int64_t rows) { countOfRows_ = rows; }
    void recomputeDerivedValues();

private:
    struct Derived {
        double maxScale = 0;
        double lifeWidth = 0;
        double contentWidth = 0;
    };
    const ScreenInputs& screen() const;
    const Derived& derived() const;
    Derived derive() const;

    std::function<ScreenInputs()> readScreen_;
    std::int64_t countOfRows_ = 190;
    mutable std::once_flag screenOnce_;
    mutable ScreenInputs screen_;
    mutable std::once_flag derivedOnce_;
    mutable Derived derived_;
};

}  // namespace cellarium
