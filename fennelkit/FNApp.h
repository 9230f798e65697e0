#pragma once

#include "FennelKitExport.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <functional>
#include <optional>

namespace fennelkit {

// The catalogue of the maker's apps: one value per app, each answering the
// same questions. Every getter computes its value afresh on each call.
class FENNELKIT_EXPORT FNApp {
public:
    enum class Case { cellarium };

    static const FNApp cellarium;

    constexpr FNApp(Case value) : case_(value) {}

    // Every app, in declaration order.
    static QList<FNApp> allCases();

    Case value() const { return case_; }

    // The app's numeric store identifier (ten decimal digits).
    QString id() const;
    // The app's filing-number text shown in China, if it has one.
    std::optional<QString> icp() const;
    // The label colour of the current appearance.
    QColor tintColor() const;
    // The app's icon as a square thumbnail of 36 points at the screen scale;
    // a null image if the thumbnail cannot be made. A missing icon resource
    // is a programming error and stops the process.
    QImage icon() const;
    // The pages of the first-run guide, in the default locale's language.
    QStringList guideText() const;
    // The store's product-page address, and the same followed by "?action=write-review".
    QString appLink() const;
    QString reviewLink() const;

    // The host application's display name (or bundle name), version and build
    // number from its bundle information; empty texts where they are missing.
    static QString name();
    static QString version();
    static QString buildNumber();

    friend constexpr bool operator==(FNApp a, FNApp b) { return a.case_ == b.case_; }

private:
    Case case_;
};

inline constexpr FNApp FNApp::cellarium{FNApp::Case::cellarium};

inline std::size_t qHash(FNApp app, std::size_t seed = 0) noexcept
{
    return ::qHash(static_cast<int>(app.value()), seed);
}

}  // namespace fennelkit

template <>
struct std::hash<fennelkit::FNApp> {
    std::size_t operator()(fennelkit::FNApp app) const noexcept
    {
        return std::hash<int>{}(static_cast<int>(app.value()));
    }
};
