#pragma once

#include "FennelKitExport.h"

class QWidget;

namespace fennelkit {

// How a declarative screen hosts a widget: it makes the widget once, then
// updates it with the description's current values after making it and after
// every change. The host owns the widget it made. Main thread only.
class FENNELKIT_EXPORT FNViewRepresentable {
public:
    virtual ~FNViewRepresentable();

    virtual QWidget* makeView() const = 0;
    // `view` is a widget this description's type made.
    virtual void updateView(QWidget& view) const = 0;
};

}  // namespace fennelkit
