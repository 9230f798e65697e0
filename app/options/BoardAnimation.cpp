#include "options/BoardAnimation.h"

#include "options/FramedCells.h"
#include "options/GifWriter.h"

#include "model/GenerationStep.h"
#include "model/LifeEngine.h"

#include <QObject>

#include <algorithm>
#include <new>

std::vector<cellarium::LifeSet> BoardAnimation::run(const cellarium::LifeSet& lifes, std::int64_t rows)
{
    std::vector<cellarium::LifeSet> states;
    states.reserve(generations + 1);
    states.push_back(lifes);
    if (rows >= 1 && rows <= cellarium::LifeEngine::kMaxRows) {
        cellarium::LifeEngine engine(lifes, rows);
        for (int i = 0; i < generations; ++i) {
            engine.step();
            states.push_back(engine.lifes());
        }
    } else {
        for (int i = 0; i < generations; ++i)
            states.push_back(cellarium::nextGeneration(states.back(), rows));
    }
    return states;
}

cellarium::PictureFrame BoardAnimation::frameOf(const std::vector<cellarium::LifeSet>& run, std::int64_t rows)
{
    std::optional<cellarium::CellBox> box;
    for (const cellarium::LifeSet& lifes : run) {
        if (const std::optional<cellarium::CellBox> here = cellarium::boundingBox(lifes))
            box = box ? cellarium::unite(*box, *here) : *here;
    }
    return cellarium::framePicture(box.value_or(cellarium::CellBox{0, 0, std::max<std::int64_t>(1, rows),
                                                                   std::max<std::int64_t>(1, rows)}));
}

std::optional<QByteArray> BoardAnimation::make(const Source& source, const std::function<bool(double)>& progress,
                                               QString* error)
{
    auto say = [error](const QString& why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (error)
        error->clear();
    try {
        // Stepping is a small part of the work; writing the frames is most of it.
        constexpr double steppingPart = 0.1;
        if (!progress(0))
            return std::nullopt;
        const std::vector<cellarium::LifeSet> states = run(source.lifes, source.rows);
        if (!progress(steppingPart))
            return std::nullopt;
        const cellarium::PictureFrame frame = frameOf(states, source.rows);
        const FramedCells::Colours colours = FramedCells::opaque(source.cell, source.background);
        GifWriter gif(int(frame.widthPixels()), int(frame.heightPixels()), delayCentiseconds);
        for (std::size_t i = 0; i < states.size(); ++i) {
            const QImage image = FramedCells::draw(states[i], frame, colours);
            if (image.isNull())
                return say(QObject::tr("Not enough memory for the animation"));
            if (!gif.add(image))
                return say(gif.error());
            if (!progress(steppingPart + (1 - steppingPart) * double(i + 1) / double(states.size())))
                return std::nullopt;
        }
        std::optional<QByteArray> bytes = gif.finish();
        if (!bytes)
            return say(gif.error());
        return bytes;
    } catch (const std::bad_alloc&) {
        return say(QObject::tr("Not enough memory for the animation"));
    }
}
