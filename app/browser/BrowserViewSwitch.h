#pragma once

class QTabBar;

// Makes `segments` the browser's segmented control, "Saved" (tab 0) and "Library"
// (tab 1): a tab bar, which screen readers hear as a page tab list of two named tabs
// and whose tabs the arrow keys move between.
void setUpBrowserViewSwitch(QTabBar& segments);
