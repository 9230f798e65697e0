#pragma once

#include "store/CoreLife.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>
#include <string>

class QToolButton;

// The way back from the browser's last deletion: the deleted record's pattern and date
// are kept while the browser is open, an "Undo" button shows for bannerMs after the
// delete, and undo() (the button, or Ctrl+Z in the browser) brings the record back
// through `restore`. Main thread only.
class DeletionUndo : public QObject {
    Q_OBJECT

public:
    static constexpr int bannerMs = 5000;
    // Stores a record of `lifeData` added at `addedDate` again; false when it could not.
    using Restore = std::function<bool(const std::string& lifeData, cellarium::CoreLife::Date addedDate)>;

    // `button` is the banner (hidden until a delete; not owned).
    DeletionUndo(QToolButton& button, Restore restore, QObject* parent = nullptr);

    // What bringing `record` back needs: its bytes and date, read before it is deleted;
    // nullopt without them (bytes unreadable or too large to copy).
    struct Kept {
        std::string lifeData;
        cellarium::CoreLife::Date addedDate;
    };
    static std::optional<Kept> keep(const cellarium::CoreLife& record);
    // The record kept has just been deleted.
    void deleted(Kept kept);
    // Brings the last deleted record back; false when there is none or it could not be stored.
    bool undo();
    bool canUndo() const { return last_.has_value(); }

private:
    QToolButton& button_;
    Restore restore_;
    std::optional<Kept> last_;
    QTimer banner_;
};
