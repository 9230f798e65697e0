#pragma once

#include "platform/GridViewCell.h"

#include <QImage>

#include <memory>

class QLabel;
namespace platform {
class ImageView;
}
namespace Ui {
class LibraryCell;
}

// A cell of the library grid: a classic pattern's thumbnail over its name, laid out
// by its interface file. The cell itself is the button that loads the pattern; it
// offers nothing to delete. Main thread only.
class LibraryCell : public platform::GridViewCell {
    Q_OBJECT

public:
    explicit LibraryCell(QWidget* parent = nullptr);
    ~LibraryCell() override;

    // Outlets, connected by the interface file.
    platform::ImageView* thumbnailView() const;
    QLabel* nameLabel() const;

    // Shows the pattern: its name as text, accessible name and tooltip.
    void setPattern(const QString& name, const QString& description, const QImage& thumbnail);
    const QImage& thumbnail() const { return thumbnail_; }

private:
    std::unique_ptr<Ui::LibraryCell> ui_;
    QImage thumbnail_;
};
