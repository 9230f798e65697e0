#include "platform/SystemSymbol.h"

#include "SymbolTable.h"
#include "platform/MainScreen.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QRawFont>

#include <cmath>

namespace platform {

namespace {

// The font's family, added from the Debian package's file once; empty when
// it cannot be loaded.
QString materialFamily()
{
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont(QStringLiteral(MATERIAL_ICONS_FONT));
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        return families.isEmpty() ? QString() : families.first();
    }();
    return family;
}

} // namespace

QColor labelColor()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return Qt::black;
    return QGuiApplication::palette().color(QPalette::Active, QPalette::WindowText);
}

QImage systemImage(const QString& name, qreal pointSize, const QColor& color)
{
    const auto material = SymbolTable::materialName(name);
    const auto codepoint = material ? SymbolTable::codepoint(*material) : std::nullopt;
    if (!codepoint || pointSize <= 0 || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return {};
    const QString family = materialFamily();
    if (family.isEmpty())
        return {};

    const qreal scale = services().mainScreen().scale();
    const int side = static_cast<int>(std::ceil(pointSize * scale));
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(scale);

    QFont font(family);
    font.setPixelSize(qMax(1, qRound(pointSize))); // the font's em box is the icon's square
    font.setHintingPreference(QFont::PreferNoHinting);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(color);
    const char32_t glyph[] = {*codepoint};
    painter.drawText(QRectF(0, 0, pointSize, pointSize), Qt::AlignCenter, QString::fromUcs4(glyph, 1));
    return image;
}

QStringList systemSymbolNames()
{
    return SymbolTable::symbolNames();
}

} // namespace platform
