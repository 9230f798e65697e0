#pragma once

#include "model/LifeSet.h"
#include "model/PlacedPattern.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>

class QMimeData;
class QWidget;

// Patterns in and out of the board by the clipboard and by drag and drop. Ctrl+V
// loads the clipboard's pattern (JSON under patternMimeType, else its text: JSON,
// RLE or plaintext); Ctrl+C puts the board's pattern on the clipboard as RLE text
// and as JSON under patternMimeType; a dropped .rle, .cells or .json file, or
// dropped text, loads. RLE stands where its Pos line puts it (else centred, as
// plaintext) on the board of the current size, JSON keeps its coordinates; the
// board grows to the size a pattern needs (fitPatternToBoard) or refuses it.
// Whatever holds no pattern plays the refused cue and changes nothing. The keys act only while `onTop` says the board is the top
// screen with nothing over it. Main thread only.
class BoardPatternTransfer : public QObject {
    Q_OBJECT

public:
    static constexpr const char* patternMimeType = "application/x-cellarium-pattern+json";
    // The largest dropped file read; larger ones are refused unread.
    static constexpr qint64 maxFileBytes = qint64{64} << 20;

    struct Board {
        std::function<const cellarium::LifeSet&()> lifes;
        // Loads the pattern, or plays the refused cue and returns false when no board size holds it.
        std::function<bool(const cellarium::PlacedPattern&)> loadPattern;
        std::function<bool()> onTop;
        // The board's side in cells, where RLE positions are read and written.
        std::function<std::int64_t()> rows;
    };

    // The shortcuts live on `keys` (for its children too); drops are taken on
    // `dropTarget`, which accepts them from now on. Both must outlive this object.
    BoardPatternTransfer(QWidget& keys, QWidget& dropTarget, Board board, QObject* parent = nullptr);

    // Loads the pattern `data` holds; plays the refused cue and returns false when none.
    bool paste(const QMimeData& data);
    bool drop(const QMimeData& data);

    // The board's pattern as clipboard data.
    std::unique_ptr<QMimeData> copyData() const;

    void pasteFromClipboard();
    void copyToClipboard();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool load(const QByteArray& text, const char* format);
    static bool holdsDroppable(const QMimeData& data);

    Board board_;
};
