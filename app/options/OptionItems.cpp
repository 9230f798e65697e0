#include "options/OptionItems.h"

#include "model/BoardSize.h"

#include <QCoreApplication>

#include <array>

namespace {

using Source = OptionItems::Source;

QString tr(const char* text)
{
    return QCoreApplication::translate("MoreViewController", text);
}

struct Icon {
    Source source;
    const char* symbol;
};

// The board-size icon for each size of the cycle, smallest first; any other size shows the first.
constexpr std::array<Icon, cellarium::kBoardSizes.size()> sizeIcons{{
    {Source::System, "square.fill"},
    {Source::System, "square.grid.2x2.fill"},
    {Source::App, "square.grid.3x3.fill"},
}};

OptionItems::Item boardSizeItem(const std::optional<std::int64_t>& rows)
{
    OptionItems::Item item{Source::System, "app.fill", tr("Board size"), {}};
    if (!rows)
        return item;  // the neutral icon until the board hands over its size
    const std::optional<std::size_t> step = cellarium::boardSizeIndex(*rows);
    const Icon& icon = sizeIcons[step.value_or(0)];
    item.source = icon.source;
    item.symbol = icon.symbol;
    item.accessibleDescription = QStringLiteral("%1 \u00d7 %1").arg(*rows);
    return item;
}

}  // namespace

OptionItems::Item OptionItems::item(int row, const State& state)
{
    const bool china = state.chinaFiling;
    switch (row) {
    case boardSizeRow: return boardSizeItem(state.countOfRows);
    case panModeRow:
        return state.panMode ? Item{Source::System, "hand.draw.fill", tr("Drawing mode"), tr("Drawing")}
                             : Item{Source::App, "hand.tap.fill", tr("Drawing mode"), tr("Tapping")};
    case speedRow:
        return state.highSpeed ? Item{Source::System, "hare.fill", tr("Speed"), tr("Fast")}
                               : Item{Source::System, "tortoise.fill", tr("Speed"), tr("Slow")};
    case restartRow: return {Source::App, "clock.arrow.circlepath", tr("Restart"), {}};
    case clearRow: return {Source::System, "trash.fill", tr("Clear"), {}};
    case pictureRow: return {Source::System, "photo.on.rectangle", tr("Board picture"), {}};
    case qrCodeRow: return {Source::System, "qrcode", tr("QR code"), {}};
    case scanRow: return {Source::System, "qrcode.viewfinder", tr("Scan QR code"), {}};
    case saveRow: return {Source::System, "tray.and.arrow.down.fill", tr("Save to archive"), {}};
    case archiveRow: return {Source::System, "tray.full.fill", tr("Archive"), {}};
    case guideRow: return {Source::App, "doc.plaintext.fill", tr("Guide"), {}};
    case appIconRow:
        return state.didUseLiveIcon ? Item{Source::App, "liveIconImage", tr("App icon"), tr("Alternate icon")}
                                    : Item{Source::App, "standardIconImage", tr("App icon"), tr("Standard icon")};
    case privacyRow: return {Source::App, "eyes.inverse", tr("Privacy policy"), {}};
    case feedbackRow: return {Source::System, "envelope.fill", tr("Feedback"), {}};
    case reviewRow: return {Source::System, "star.fill", tr("Review"), {}};
    // In China the maker's page takes the website's place and the filing record the maker's.
    case websiteRow:
        return china ? Item{Source::System, "person.fill", tr("Website"), {}}
                     : Item{Source::App, "network", tr("Website"), {}};
    case filingRow:
        return china ? Item{Source::System, "shield.checkered", tr("Filing record"), {}}
                     : Item{Source::System, "person.fill", tr("About the maker"), {}};
    case moreAppsRow: return {Source::System, "app.gift.fill", tr("More apps"), {}};
    default: return {Source::System, "", {}, {}};
    }
}
