#pragma once

// The app-wide screen registry: makes the options screen the destination of "ShowMore" for every screen of
// the process, and the screens it opens the destinations of their segues;
// gives the platform the app's two icons (the standard one and
// "OtherAppIcon"). Call once at start, on the main thread.
void registerScreens();
