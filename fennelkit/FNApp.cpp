#include "FNApp.h"

#include "FNBundleClass.h"
#include "ScreenMetrics.h"

#include "platform/Bundle.h"
#include "platform/SystemSymbol.h"

#include <QCoreApplication>
#include <QtGlobal>

#include <cmath>

namespace fennelkit {

namespace {

const char* const storeAppAddress = "https://apps.example.org/app/id";
const char* const reviewQuery = "?action=write-review";

const char* const icpPrefix = QT_TRANSLATE_NOOP("FennelKit", "ICP Filing No. EXAMPLE-00000000-");

const char* const cellariumGuide[] = {
    QT_TRANSLATE_NOOP("FennelKit",
                      "Welcome to the Cellarium.\n\nThe game is an infinite, two-dimensional orthogonal grid of "
                      "square cells, each of which is in one of two possible states, live or dead.\n\nAt each "
                      "step in time, the following transitions occur:"),
    QT_TRANSLATE_NOOP("FennelKit",
                      "1.\n\nAny live cell with fewer than two live neighbours dies, as if by underpopulation."),
    QT_TRANSLATE_NOOP("FennelKit",
                      "2.\n\nAny live cell with two or three live neighbours lives on to the next generation."),
    QT_TRANSLATE_NOOP("FennelKit",
                      "3.\n\nAny live cell with more than three live neighbours dies, as if by overpopulation."),
    QT_TRANSLATE_NOOP("FennelKit",
                      "4.\n\nAny dead cell with exactly three live neighbours becomes a live cell, as if by "
                      "reproduction."),
    QT_TRANSLATE_NOOP("FennelKit", "Next, please enjoy the Cellarium.\n\nBest regards."),
};

std::optional<QString> bundleText(const char* key)
{
    const QVariant value = platform::services().mainBundle().infoValue(QString::fromLatin1(key));
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString();
}

}  // namespace

QList<FNApp> FNApp::allCases()
{
    return {FNApp::cellarium};
}

QString FNApp::id() const
{
    switch (case_) {
    case Case::cellarium: return QStringLiteral("1000000003");
    }
    Q_UNREACHABLE();
}

std::optional<QString> FNApp::icp() const
{
    switch (case_) {
    case Case::cellarium: return FNBundleClass::localizedString(icpPrefix) + QStringLiteral("3A");
    }
    Q_UNREACHABLE();
}

QColor FNApp::tintColor() const
{
    return platform::labelColor();
}

QImage FNApp::icon() const
{
    const QImage image = FNBundleClass::image(QStringLiteral("cellarium"));
    if (image.isNull())
        qFatal("FennelKit: the image \"cellarium\" is missing from the framework's resources");
    const double scale = screenScale();
    const int side = static_cast<int>(std::lround(36.0 * scale));
    if (side <= 0)
        return {};
    QImage thumbnail = image.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    thumbnail.setDevicePixelRatio(scale);
    return thumbnail;
}

QStringList FNApp::guideText() const
{
    QStringList pages;
    switch (case_) {
    case Case::cellarium:
        for (const char* page : cellariumGuide)
            pages << FNBundleClass::localizedString(page);
        break;
    }
    return pages;
}

QString FNApp::appLink() const
{
    return QString::fromLatin1(storeAppAddress) + id();
}

QString FNApp::reviewLink() const
{
    return appLink() + QString::fromLatin1(reviewQuery);
}

QString FNApp::name()
{
    if (auto displayName = bundleText("CFBundleDisplayName"))
        return *displayName;
    return bundleText("CFBundleName").value_or(QString());
}

QString FNApp::version()
{
    return bundleText("CFBundleShortVersionString").value_or(QString());
}

QString FNApp::buildNumber()
{
    return bundleText("CFBundleVersion").value_or(QString());
}

}  // namespace fennelkit
