#pragma once

#include "platform/PlatformExport.h"

#include <QAbstractButton>
#include <QString>

namespace platform {

class GridView;

// One item's cell in a GridView. A cell is a button (touch, mouse and the
// accessibility "press" action select its item); it draws nothing itself, its
// child widgets show the content. Cells are made by the factory registered for
// their reuse identifier and reused for other items once scrolled away, so a
// data source sets everything it shows on every dequeue. Cells never take the
// keyboard focus: the grid keeps it and moves its current item.
class PLATFORM_EXPORT GridViewCell : public QAbstractButton {
    Q_OBJECT

public:
    explicit GridViewCell(QWidget* parent = nullptr);

    QString reuseIdentifier() const { return reuseIdentifier_; }
    // The item the cell shows; -1 while it waits for reuse.
    int item() const { return item_; }

protected:
    // Before a cell is handed out again by dequeueReusableCell.
    virtual void prepareForReuse() {}
    void paintEvent(QPaintEvent* event) override;

private:
    friend class GridView;

    QString reuseIdentifier_;
    int item_ = -1;
};

} // namespace platform
