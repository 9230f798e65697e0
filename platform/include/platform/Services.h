#pragma once

#include "platform/PlatformExport.h"

#include <memory>

namespace platform {

class AlternateIcons;
class Bundle;
class CameraAccess;
class Haptics;
class IdleTimer;
class MainScreen;
class PhotoPicker;
class PicturesFolder;
class SharedCopies;
class Storefront;
class SystemSound;
class UrlOpener;

// The phone platform's services as one set. The process uses the set in place:
// the real services, unless a test or a benchmark has put a set of its own in place
// (ServicesInPlace). Each service of a set is made on its first use, so that a set
// names only the services it replaces, and a service nobody uses is never made.
// Reading a service is thread-safe; its own header says which threads may use it.
class PLATFORM_EXPORT Services {
public:
    // Every service the real one.
    Services();
    ~Services();
    Services(Services&&) noexcept;
    Services& operator=(Services&&) noexcept;

    // This set with `service` in place of the real one of its kind (or of the one given
    // before).
    Services& with(std::unique_ptr<AlternateIcons> service) &;
    Services&& with(std::unique_ptr<AlternateIcons> service) &&;
    Services& with(std::unique_ptr<Bundle> service) &;
    Services&& with(std::unique_ptr<Bundle> service) &&;
    Services& with(std::unique_ptr<CameraAccess> service) &;
    Services&& with(std::unique_ptr<CameraAccess> service) &&;
    Services& with(std::unique_ptr<Haptics> service) &;
    Services&& with(std::unique_ptr<Haptics> service) &&;
    Services& with(std::unique_ptr<IdleTimer> service) &;
    Services&& with(std::unique_ptr<IdleTimer> service) &&;
    Services& with(std::unique_ptr<MainScreen> service) &;
    Services&& with(std::unique_ptr<MainScreen> service) &&;
    Services& with(std::unique_ptr<PhotoPicker> service) &;
    Services&& with(std::unique_ptr<PhotoPicker> service) &&;
    Services& with(std::unique_ptr<PicturesFolder> service) &;
    Services&& with(std::unique_ptr<PicturesFolder> service) &&;
    Services& with(std::unique_ptr<SharedCopies> service) &;
    Services&& with(std::unique_ptr<SharedCopies> service) &&;
    Services& with(std::unique_ptr<Storefront> service) &;
    Services&& with(std::unique_ptr<Storefront> service) &&;
    Services& with(std::unique_ptr<SystemSound> service) &;
    Services&& with(std::unique_ptr<SystemSound> service) &&;
    Services& with(std::unique_ptr<UrlOpener> service) &;
    Services&& with(std::unique_ptr<UrlOpener> service) &&;

    AlternateIcons& alternateIcons();
    // Bundle::fromBuild() unless replaced.
    Bundle& mainBundle();
    CameraAccess& cameraAccess();
    Haptics& haptics();
    IdleTimer& idleTimer();
    MainScreen& mainScreen();
    PhotoPicker& photoPicker();
    PicturesFolder& picturesFolder();
    SharedCopies& sharedCopies();
    Storefront& storefront();
    SystemSound& systemSound();
    UrlOpener& urlOpener();

private:
    struct Slots;
    std::unique_ptr<Slots> slots_;
};

// The set in place.
PLATFORM_EXPORT Services& services();

// Puts `set` in place for as long as it lives, then the set that was in place before
// (tests and benchmarks; made and ended on the main thread while no other thread uses
// a service).
class PLATFORM_EXPORT ServicesInPlace {
public:
    explicit ServicesInPlace(Services set = Services());
    ~ServicesInPlace();
    ServicesInPlace(const ServicesInPlace&) = delete;
    ServicesInPlace& operator=(const ServicesInPlace&) = delete;

    Services& set() { return set_; }

private:
    Services set_;
    Services* previous_;
};

}  // namespace platform
