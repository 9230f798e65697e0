#include "browser/DeletionUndo.h"

#include <QToolButton>

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

void DeletionUndo::deleted(std::string lifeData, cellarium::CoreLife::Date addedDate)
{
    last_ = Deleted{std::move(lifeData), addedDate};
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
