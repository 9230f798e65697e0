#pragma once

#include "model/LifeSet.h"
#include "model/PictureFrame.h"

#include <QByteArray>
#include <QColor>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// The board's next generations as an animated GIF, framed like the board picture
// over the whole run: the box of every generation shown, with the picture's margin
// and whole pixels a cell. Any thread: it reads only its arguments.
class BoardAnimation {
public:
    static constexpr int generations = 60;        // shown after the board as it is
    static constexpr int delayCentiseconds = 10;  // ten frames a second

    struct Source {
        cellarium::LifeSet lifes;
        std::int64_t rows = 0;  // the board's, for the step
        QColor cell;
        QColor background;
    };

    // The board as it is and the next `generations` generations, stepped by the model's engine.
    static std::vector<cellarium::LifeSet> run(const cellarium::LifeSet& lifes, std::int64_t rows);
    // The frame of the run; a board that stays empty is framed whole.
    static cellarium::PictureFrame frameOf(const std::vector<cellarium::LifeSet>& run, std::int64_t rows);

    // The GIF's bytes, one frame a generation. `progress` is told the part done
    // (0 to 1) as the work goes on and stops it by answering false. nullopt when it
    // was stopped or failed; then `error` (if given) says why, empty when stopped.
    static std::optional<QByteArray> make(const Source& source, const std::function<bool(double)>& progress,
                                          QString* error = nullptr);

    BoardAnimation() = delete;
};
