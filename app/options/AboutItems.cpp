#include "options/AboutItems.h"

#include "options/OptionItems.h"

#include "FNApp.h"
#include "FNMore.h"
#include "ScreenMetrics.h"

#include "platform/AlertCard.h"
#include "platform/SystemSymbol.h"
#include "platform/ViewController.h"

#include <QCoreApplication>
#include <QPointer>

using fennelkit::FNApp;
using fennelkit::FNMore;

namespace {

using Refuse = std::function<void(const QString& why)>;

QString tr(const char* text)
{
    return QCoreApplication::translate("MoreViewController", text);
}

void openAddress(const QString& url, const std::optional<QColor>& tintColor, const Refuse& refuse)
{
    if (!FNMore::openUrl(url, tintColor))
        refuse(tr("No application opens web links"));
}

void showFilingRecord(bool chinaFiling, platform::ViewController& screen, const Refuse& refuse)
{
    const std::optional<QString> icp = FNApp::cellarium.icp();
    if (!chinaFiling) {
        openAddress(FNMore::icpOrBlogUrl(icp), platform::labelColor(), refuse);
        return;
    }
    // Escape, a tap beside it or on the dimmed Close closes it without opening the record.
    auto* alert = new platform::AlertCard;
    alert->setAccessibleName(tr("Filing record"));
    QPointer<platform::ViewController> self(&screen);
    alert->addAction(FNMore::icpOrBlogText(icp), [self, icp, refuse] {
        if (self)
            openAddress(FNMore::icpOrBlogUrl(icp), platform::labelColor(), refuse);
    });
    screen.present(alert, true);
}

}  // namespace

bool AboutItems::chinaFiling()
{
    return fennelkit::isChn() && FNApp::cellarium.icp().has_value();
}

bool AboutItems::handles(int row)
{
    return row == OptionItems::privacyRow || (row >= OptionItems::feedbackRow && row <= OptionItems::moreAppsRow);
}

void AboutItems::choose(int row, bool chinaFiling, platform::ViewController& screen, const Refuse& refuse)
{
    switch (row) {
    case OptionItems::privacyRow: openAddress(FNMore::privacyUrl(), platform::labelColor(), refuse); break;
    case OptionItems::feedbackRow: {
        QPointer<platform::ViewController> self(&screen);
        FNMore::sendFeedbackEmail(std::nullopt, QString(), [self, refuse] {
            if (self)
                refuse(tr("No application sends mail"));
        });
        break;
    }
    case OptionItems::reviewRow: openAddress(FNApp::cellarium.reviewLink(), std::nullopt, refuse); break;
    case OptionItems::websiteRow:
        openAddress(FNMore::blogOrSocialUrl(FNApp::cellarium.icp()), std::nullopt, refuse);
        break;
    case OptionItems::filingRow: showFilingRecord(chinaFiling, screen, refuse); break;
    case OptionItems::moreAppsRow: openAddress(FNMore::moreAppUrl(), std::nullopt, refuse); break;
    default: break;
    }
}
