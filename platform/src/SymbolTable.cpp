#include "SymbolTable.h"

#include <QHash>

#include <array>
#include <utility>

namespace platform {

namespace {

struct Mapping {
    const char* symbol;
    const char* material;
};

// Glyphs chosen for the same picture, not the same drawing.
constexpr std::array symbolMappings{
    Mapping{"app.fill", "apps"},
    Mapping{"app.gift.fill", "redeem"},
    Mapping{"checkmark", "check"},
    Mapping{"checkmark.square", "check_box"},
    Mapping{"envelope.fill", "mail"},
    Mapping{"hand.draw.fill", "draw"},
    Mapping{"hare.fill", "directions_run"},
    Mapping{"hourglass", "hourglass_empty"},
    Mapping{"pause.fill", "pause"},
    Mapping{"person.fill", "person"},
    Mapping{"photo.on.rectangle", "photo_library"},
    Mapping{"play.fill", "play_arrow"},
    Mapping{"qrcode", "qr_code"},
    Mapping{"qrcode.viewfinder", "qr_code_scanner"},
    Mapping{"shield.checkered", "verified_user"},
    Mapping{"square.and.arrow.up", "ios_share"},
    Mapping{"square.fill", "square"},
    Mapping{"square.grid.2x2.fill", "grid_view"},
    Mapping{"star.fill", "star"},
    Mapping{"tortoise.fill", "directions_walk"},
    Mapping{"trash.fill", "delete"},
    Mapping{"tray.and.arrow.down.fill", "move_to_inbox"},
    Mapping{"tray.full.fill", "all_inbox"},
    Mapping{"xmark", "close"},
};

struct Codepoint {
    const char* name;
    char32_t value;
};

constexpr Codepoint materialCodepoints[] = {
#include "MaterialCodepoints.inc"
};

} // namespace

std::optional<QString> SymbolTable::materialName(const QString& symbolName)
{
    for (const Mapping& mapping : symbolMappings) {
        if (symbolName == QLatin1String(mapping.symbol))
            return QString::fromLatin1(mapping.material);
    }
    return std::nullopt;
}

std::optional<char32_t> SymbolTable::codepoint(const QString& materialName)
{
    static const QHash<QString, char32_t> byName = [] {
        QHash<QString, char32_t> table;
        for (const Codepoint& entry : materialCodepoints)
            table.insert(QString::fromLatin1(entry.name), entry.value);
        return table;
    }();
    const auto found = byName.constFind(materialName);
    if (found == byName.cend())
        return std::nullopt;
    return *found;
}

QStringList SymbolTable::symbolNames()
{
    QStringList names;
    for (const Mapping& mapping : symbolMappings)
        names.append(QString::fromLatin1(mapping.symbol));
    return names;
}

} // namespace platform
