#pragma once

#include "widgets/DesignableBorder.h"

#include <QColor>
#include <QToolButton>

// A button whose layer border the interface files can set. Until borderWidth
// is set the layer draws no border, whatever borderColor says. Main thread only.
class DesignableButton : public QToolButton, public DesignableBorder {
    Q_OBJECT
    Q_PROPERTY(double borderWidth READ borderWidth WRITE setBorderWidth)
    Q_PROPERTY(QColor borderColor READ borderColor WRITE setBorderColor)

public:
    explicit DesignableButton(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
