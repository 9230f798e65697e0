#include "model/BoardGeometry.h"

#include <utility>

namespace cellarium {

BoardGeometry::BoardGeometry(std::function<ScreenInputs()> readScreen)
    : readScreen_(std::move(readScreen))
{
}

const ScreenInputs& BoardGeometry::screen() const
{
    std::call_once(screenOnce_, [this] { screen_ = readScreen_ ? readScreen_() : ScreenInputs{}; });
    return screen_;
}

BoardGeometry::Derived BoardGeometry::derive() const
{
    Derived d;
    d.maxScale = 1.0 / onePixel();
    d.lifeWidth = 44.0 / d.maxScale;
    d.contentWidth = d.lifeWidth * static_cast<double>(countOfRows_);
    return d;
}

const BoardGeometry::Derived& BoardGeometry::derived() const
{
    std::call_once(derivedOnce_, [this] { derived_ = derive(); });
    return derived_;
}

void BoardGeometry::recomputeDerivedValues()
{
    derived();  // the first derivation must not run after this one
    derived_ = derive();
}

}  // namespace cellarium
