#pragma once

#include "platform/GridViewCell.h"
#include "store/CoreLife.h"

#include <QImage>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QToolButton;
namespace platform {
class ImageView;
}
namespace Ui {
class ArchiveCell;
}

// A cell of the archive grid: a pattern's thumbnail and its delete button, laid out
// by its interface file. The cell itself is the button that opens the pattern.
// Main thread only.
class ArchiveCell : public platform::GridViewCell {
    Q_OBJECT

public:
    static constexpr const char* reuseIdentifier = "ArchiveCell";

    // What a screen reader hears of a record: its cell count once its thumbnail is
    // drawn, and the day and time it was saved.
    static QString describe(std::optional<std::size_t> cellCount, std::optional<cellarium::CoreLife::Date> addedDate);

    explicit ArchiveCell(QWidget* parent = nullptr);
    ~ArchiveCell() override;

    // Called by the delete button; set by the browser for the record the cell shows.
    std::function<void()> deleteClosure;

    // The record the cell shows (its store id), so that a thumbnail finished late is
    // only put into the cell that still shows its record.
    std::optional<std::int64_t> recordID;

    // Outlets, connected by the interface file.
    platform::ImageView* thumbnailView() const;
    QToolButton* deleteButton() const;

    void setThumbnail(const QImage& image);
    const QImage& thumbnail() const { return thumbnail_; }

    // The delete button's action.
    void deleteArhcive(QObject* sender);

protected:
    // A reused cell shows nothing of its previous record.
    void prepareForReuse() override;

private:
    std::unique_ptr<Ui::ArchiveCell> ui_;
    QImage thumbnail_;
};
