#include "browser/BrowserViewSwitch.h"

#include <QTabBar>

void setUpBrowserViewSwitch(QTabBar& segments)
{
    segments.setDocumentMode(true);
    segments.setDrawBase(false);
    segments.setExpanding(false);
    segments.setAccessibleName(QTabBar::tr("View"));
    segments.setToolTip(QTabBar::tr("Saved patterns or the library"));
    segments.addTab(QTabBar::tr("Saved"));
    segments.setTabToolTip(0, QTabBar::tr("Your saved patterns"));
    segments.addTab(QTabBar::tr("Library"));
    segments.setTabToolTip(1, QTabBar::tr("Classic patterns"));
}
