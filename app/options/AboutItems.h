#pragma once

#include <QString>

#include <functional>

namespace platform {
class ViewController;
}

// The options screen's about items: the privacy policy, feedback by mail, the
// review, the website, the filing record (or the maker's page) and the maker's other
// apps. Each opens its address, mail or card over `screen`; where nothing can open it,
// `refuse` is called with the reason to show. Main thread only.
class AboutItems {
public:
    // Whether the storefront is China and the app has a filing number: then the
    // filing record is an item of its own.
    static bool chinaFiling();
    // Whether `row` (OptionItems::Row) is an about item.
    static bool handles(int row);
    // Opens the about item at `row`; `screen` is held weakly by what runs later.
    static void choose(int row, bool chinaFiling, platform::ViewController& screen,
                       const std::function<void(const QString& why)>& refuse);

    AboutItems() = delete;
};
