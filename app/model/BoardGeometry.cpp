#include "BoardGeometry.h"

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

namespace {

struct SharedGeometry {
    std::mutex mutex;
    std::function<ScreenInputs()> readScreen;
    std::unique_ptr<BoardGeometry> geometry;
};

SharedGeometry& shared()
{
    static SharedGeometry instance;
    return instance;
}

}  // namespace

BoardGeometry& boardGeometry()
{
    SharedGeometry& s = shared();
    std::lock_guard lock(s.mutex);
    if (!s.geometry)
        s.geometry = std::make_unique<BoardGeometry>(s.readScreen);
    return *s.geometry;
}

void setMainScreenReader(std::function<ScreenInputs()> readScreen)
{
    SharedGeometry& s = shared();
    std::lock_guard lock(s.mutex);
    s.readScreen = std::move(readScreen);
}

void replaceBoardGeometry(std::unique_ptr<BoardGeometry> geometry)
{
    SharedGeometry& s = shared();
    std::lock_guard lock(s.mutex);
    s.geometry = std::move(geometry);
}

}  // namespace cellarium
