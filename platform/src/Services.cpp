#include "platform/Services.h"

#include "platform/AlternateIcons.h"
#include "platform/Bundle.h"
#include "platform/CaptureSession.h"
#include "platform/Haptics.h"
#include "platform/IdleTimer.h"
#include "platform/MainScreen.h"
#include "platform/PhotoPicker.h"
#include "platform/PicturesFolder.h"
#include "platform/SharedCopies.h"
#include "platform/Storefront.h"
#include "platform/SystemSound.h"
#include "platform/UrlOpener.h"

#include <atomic>
#include <mutex>

namespace platform {

namespace {

// One service of a set: the one handed in, or the real one made on first use under a
// guard that lets exactly one of several concurrent first readers make it.
template <typename T>
class Slot {
public:
    T& get()
    {
        if (T* value = current_.load(std::memory_order_acquire))
            return *value;
        std::lock_guard lock(mutex_);
        if (!value_) {
            value_ = makeReal();
            current_.store(value_.get(), std::memory_order_release);
        }
        return *value_;
    }
    void give(std::unique_ptr<T> value)
    {
        value_ = std::move(value);
        current_.store(value_.get(), std::memory_order_release);
    }

private:
    static std::unique_ptr<T> makeReal()
    {
        if constexpr (std::is_same_v<T, Bundle>)
            return std::make_unique<Bundle>(Bundle::fromBuild());
        else
            return std::make_unique<T>();
    }

    std::mutex mutex_;
    std::unique_ptr<T> value_;
    std::atomic<T*> current_ = nullptr;
};

}  // namespace

struct Services::Slots {
    Slot<AlternateIcons> alternateIcons;
    Slot<Bundle> mainBundle;
    Slot<CameraAccess> cameraAccess;
    Slot<Haptics> haptics;
    Slot<IdleTimer> idleTimer;
    Slot<MainScreen> mainScreen;
    Slot<PhotoPicker> photoPicker;
    Slot<PicturesFolder> picturesFolder;
    Slot<SharedCopies> sharedCopies;
    Slot<Storefront> storefront;
    Slot<SystemSound> systemSound;
    Slot<UrlOpener> urlOpener;
};

Services::Services() : slots_(std::make_unique<Slots>()) {}
Services::~Services() = default;
Services::Services(Services&&) noexcept = default;
Services& Services::operator=(Services&&) noexcept = default;

#define CELLARIUM_SERVICE(Type, name)                                                                                  \
    Services& Services::with(std::unique_ptr<Type> service) &                                                          \
    {                                                                                                                  \
        slots_->name.give(std::move(service));                                                                         \
        return *this;                                                                                                  \
    }                                                                                                                  \
    Services&& Services::with(std::unique_ptr<Type> service) &&                                                        \
    {                                                                                                                  \
        return std::move(with(std::move(service)));                                                                    \
    }                                                                                                                  \
    Type& Services::name() { return slots_->name.get(); }

CELLARIUM_SERVICE(AlternateIcons, alternateIcons)
CELLARIUM_SERVICE(Bundle, mainBundle)
CELLARIUM_SERVICE(CameraAccess, cameraAccess)
CELLARIUM_SERVICE(Haptics, haptics)
CELLARIUM_SERVICE(IdleTimer, idleTimer)
CELLARIUM_SERVICE(MainScreen, mainScreen)
CELLARIUM_SERVICE(PhotoPicker, photoPicker)
CELLARIUM_SERVICE(PicturesFolder, picturesFolder)
CELLARIUM_SERVICE(SharedCopies, sharedCopies)
CELLARIUM_SERVICE(Storefront, storefront)
CELLARIUM_SERVICE(SystemSound, systemSound)
CELLARIUM_SERVICE(UrlOpener, urlOpener)

#undef CELLARIUM_SERVICE

namespace {

Services& realServices()
{
    static Services real;
    return real;
}

std::atomic<Services*> inPlace = nullptr;

}  // namespace

Services& services()
{
    Services* set = inPlace.load(std::memory_order_acquire);
    return set ? *set : realServices();
}

ServicesInPlace::ServicesInPlace(Services set)
    : set_(std::move(set)), previous_(inPlace.exchange(&set_, std::memory_order_acq_rel))
{
}

ServicesInPlace::~ServicesInPlace()
{
    inPlace.store(previous_, std::memory_order_release);
}

}  // namespace platform
