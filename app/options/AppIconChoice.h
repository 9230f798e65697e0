#pragma once

#include <optional>

// The app icon the options screen's toggle chooses: the standard icon or the
// alternate "OtherAppIcon", kept in the user defaults under "DidUseLiveIcon".
// Main thread only.
class AppIconChoice {
public:
    static constexpr const char* didUseLiveIconKey = "DidUseLiveIcon";
    static constexpr const char* otherAppIconName = "OtherAppIcon";

    // The stored choice; std::nullopt when none is, or it is no Boolean.
    static std::optional<bool> stored();
    // Stores the choice and applies it.
    static void choose(bool didUseLiveIcon);
    // Asks the platform's alternate icons for the chosen icon, where they are supported;
    // the outcome is printed on standard output.
    static void apply(bool didUseLiveIcon);

    AppIconChoice() = delete;
};
