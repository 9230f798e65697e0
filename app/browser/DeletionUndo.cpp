#include "browser/DeletionUndo.h"

#include <QToolButton>

#include <new>

DeletionUndo::DeletionUndo(QToolButton& button, Restore restore, QObject* parent)
    : QObject(parent), button_(button), restore_(std::move(restore))
{
    button_.setText(tr("Undo"));
    button_.setAccessibleName(tr("Undo"));
    button_.setToolTip(tr("Bring back the deleted pattern"));
    button_.hide();
    banner_.setSingleShot(true);
    banner_.setInterval(bannerMs);
    connect(&banner_, &QTimer::timeout, &button_, &QWidget::hide);
    connect(&button_, &QToolButton::clicked, this, [this] { undo(); });
}

std::optional<DeletionUndo::Kept> DeletionUndo::keep(const cellarium::CoreLife& record)
{
    try {
        const std::optional<std::string>& bytes = record.lifeData();
        if (bytes && record.addedDate())
            return Kept{*bytes, *record.addedDate()};
    } catch (const std::bad_alloc&) {
        // too large to copy: such a delete cannot be taken back
    }
    return std::nullopt;
}

void DeletionUndo::deleted(Kept kept)
{
    last_ = std::move(kept);
    button_.show();
    banner_.start();
}

bool DeletionUndo::undo()
{
    if (!last_ || !restore_(last_->lifeData, last_->addedDate))
        return false;
    last_.reset();
    banner_.stop();
    button_.hide();
    return true;
}
