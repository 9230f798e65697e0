#include "FNBundleClass.h"

#include "LazyValue.h"

#include <QLocale>
#include <QTranslator>

#include <memory>

namespace fennelkit {

namespace {

constexpr char translationContext[] = "FennelKit";

detail::LazyValue<std::shared_ptr<const QTranslator>> stringTable([] {
    auto translator = std::make_shared<QTranslator>();
    // A locale without a table of its own keeps the English keys.
    (void)translator->load(QLocale(), QStringLiteral("fennelkit"), QStringLiteral("_"),
                           QStringLiteral(":/fennelkit/i18n"));
    return std::shared_ptr<const QTranslator>(std::move(translator));
});

}  // namespace

QString FNBundleClass::localizedString(const char* englishKey)
{
    const QString translated = stringTable.get()->translate(translationContext, englishKey);
    return translated.isEmpty() ? QString::fromUtf8(englishKey) : translated;
}

QImage FNBundleClass::image(const QString& name)
{
    return QImage(QStringLiteral(":/fennelkit/images/%1.png").arg(name));
}

}  // namespace fennelkit
