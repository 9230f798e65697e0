#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace platform {

// The system symbol names the app uses, each mapped to a glyph of the
// Material Icons font.
class SymbolTable {
public:
    // The Material Icons name standing for `symbolName` ("play.fill" -> "play_arrow").
    static std::optional<QString> materialName(const QString& symbolName);
    // The font's codepoint of a Material Icons name.
    static std::optional<char32_t> codepoint(const QString& materialName);
    static QStringList symbolNames();
};

} // namespace platform
