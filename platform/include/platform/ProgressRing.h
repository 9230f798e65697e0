#pragma once

#include "platform/PlatformExport.h"

#include <QWidget>

namespace platform {

// A ring that fills clockwise from the top as work goes on, for work that takes
// seconds. Its accessible description says the part done in per cent. Main thread only.
class PLATFORM_EXPORT ProgressRing : public QWidget {
    Q_OBJECT

public:
    explicit ProgressRing(QWidget* parent = nullptr);

    double value() const { return value_; }
    // Clamped to 0 to 1.
    void setValue(double part);

    QSize sizeHint() const override { return {44, 44}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double value_ = 0;
};

} // namespace platform
