#include "options/BoardPictureDrawing.h"

#include "options/FramedCells.h"

#include "model/PictureFrame.h"

#include "platform/ImageRenderer.h"
#include "platform/MainScreen.h"

#include <QFutureWatcher>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

bool BoardPictureDrawing::start(QObject& owner, BoardSnapshot snapshot, std::function<void(const QImage&)> done)
{
    const QString drawingName = QStringLiteral("boardPictureDrawing");
    if (owner.findChild<QObject*>(drawingName, Qt::FindDirectChildrenOnly))
        return false;
    const QSizeF screen = platform::services().mainScreen().size();
    const qreal side = qMax(screen.width(), screen.height());
    // The cells and the geometry's values are copied into the task. The watcher is the
    // owner's child, so a picture finished after the owner has gone reaches nothing.
    const platform::ImageRenderer renderer(QSizeF(side, side));
    auto* drawing = new QFutureWatcher<QImage>(&owner);
    drawing->setObjectName(drawingName);
    QObject::connect(drawing, &QFutureWatcherBase::finished, &owner, [drawing, done = std::move(done)] {
        const QImage picture = drawing->result();
        drawing->setObjectName(QString());
        drawing->deleteLater();
        done(picture);
    });
    drawing->setFuture(QtConcurrent::run(QThreadPool::globalInstance(), [renderer, snapshot = std::move(snapshot), side] {
        if (QImage framed = framedPicture(snapshot); !framed.isNull())
            return framed;
        return renderer.image([&snapshot, side](QPainter& painter) { drawSnapshot(painter, snapshot, side); });
    }));
    return true;
}

QImage BoardPictureDrawing::framedPicture(const BoardSnapshot& snapshot)
{
    const std::optional<cellarium::CellBox> box = cellarium::boundingBox(snapshot.lifes);
    if (!box)
        return {};
    return FramedCells::draw(snapshot.lifes, cellarium::framePicture(*box), FramedCells::transparent(snapshot.color));
}
