#include "platform/SymbolButton.h"

#include "platform/SystemSymbol.h"

#include <QAbstractButton>
#include <QIcon>
#include <QPixmap>

namespace platform {

void setUpSymbolButton(QAbstractButton& button, const QString& symbolName, qreal pointSize, const QString& name)
{
    button.setIcon(QIcon(QPixmap::fromImage(systemImage(symbolName, pointSize))));
    button.setAccessibleName(name);
    button.setToolTip(name);
}

} // namespace platform
