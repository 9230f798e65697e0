#include "FNBundleClass.h"

#include "LazyValues.h"

#include <QLocale>
#include <QTranslator>


namespace fennelkit {

namespace {

constexpr char translationContext[] = "FennelKit";

detail::LazyValue<QTranslator> stringTable([] {
    auto translator = std::make_unique<QTranslator>();
    // A locale without a table of its own keeps the English keys.
    (void)translator->load(QLocale(), QStringLiteral("fennelkit"), QStringLiteral("_"),
                           QStringLiteral(":/fennelkit/i18n"));
    return translator;
});

}  // namespace

void detail::resetStringTable()
{
    stringTable.reset();
}

QString FNBundleClass::localizedString(const char* englishKey)
{
    const QString translated = stringTable.get().translate(translationContext, englishKey);
    return translated.isEmpty() ? QString::fromUtf8(englishKey) : translated;
}

QImage FNBundleClass::image(const QString& name)
{
    return QImage(QStringLiteral(":/fennelkit/images/%1.png").arg(name));
}

}  // namespace fennelkit
