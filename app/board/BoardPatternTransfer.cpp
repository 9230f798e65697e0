#include "board/BoardPatternTransfer.h"

#include "cues/FeedbackCues.h"
#include "model/PatternCoding.h"
#include "model/PatternText.h"

#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QShortcut>
#include <QUrl>
#include <QWidget>

#include <new>

using namespace cellarium;

namespace {

std::optional<PatternFormat> formatOfFile(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("rle"))
        return PatternFormat::rle;
    if (suffix == QLatin1String("cells"))
        return PatternFormat::cells;
    if (suffix == QLatin1String("json"))
        return PatternFormat::json;
    return std::nullopt;
}

// The first dropped local file, if any.
QString droppedFile(const QMimeData& data)
{
    for (const QUrl& url : data.urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return {};
}

}  // namespace

BoardPatternTransfer::BoardPatternTransfer(QWidget& keys, QWidget& dropTarget, Board board, QObject* parent)
    : QObject(parent), board_(std::move(board))
{
    const auto addKey = [&](QKeySequence::StandardKey key, void (BoardPatternTransfer::*action)()) {
        auto* shortcut = new QShortcut(QKeySequence(key), &keys);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, this, [this, action] {
            if (board_.onTop())
                (this->*action)();
        });
    };
    addKey(QKeySequence::Paste, &BoardPatternTransfer::pasteFromClipboard);
    addKey(QKeySequence::Copy, &BoardPatternTransfer::copyToClipboard);
    dropTarget.setAcceptDrops(true);
    dropTarget.installEventFilter(this);
}

bool BoardPatternTransfer::load(const QByteArray& text, const char* formatName)
{
    const std::optional<PatternFormat> format =
        formatName ? patternFormatNamed(formatName) : std::optional<PatternFormat>{};
    PatternReading read;
    try {
        read = readPatternTextForBoard(std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
                                       board_.rows(), format);
    } catch (const std::bad_alloc&) {
        // Text too large to read in the memory left is refused like any other; the board stays.
    }
    if (!read) {
        feedbackcues::refused();
        return false;
    }
    return board_.loadPattern(PlacedPattern(std::move(*read.lifes), read.rows));
}

bool BoardPatternTransfer::paste(const QMimeData& data)
{
    if (data.hasFormat(QLatin1String(patternMimeType)))
        return load(data.data(QLatin1String(patternMimeType)), "json");
    if (data.hasText())
        return load(data.text().toUtf8(), nullptr);
    feedbackcues::refused();
    return false;
}

bool BoardPatternTransfer::drop(const QMimeData& data)
{
    const QString path = droppedFile(data);
    if (path.isEmpty())
        return paste(data);
    const std::optional<PatternFormat> format = formatOfFile(path);
    QFile file(path);
    if (!format || file.size() > maxFileBytes || !file.open(QIODevice::ReadOnly)) {
        feedbackcues::refused();
        return false;
    }
    const QByteArray text = file.read(maxFileBytes + 1);
    if (text.size() > maxFileBytes) {  // grown since, or a device that reports no size
        feedbackcues::refused();
        return false;
    }
    return load(text, patternFormatName(*format).data());
}

std::unique_ptr<QMimeData> BoardPatternTransfer::copyData() const
{
    auto data = std::make_unique<QMimeData>();
    const LifeSet& lifes = board_.lifes();
    data->setText(QString::fromStdString(writePatternText(lifes, PatternFormat::rle, board_.rows())));
    const std::string json = encodePattern(lifes);
    data->setData(QLatin1String(patternMimeType), QByteArray(json.data(), static_cast<qsizetype>(json.size())));
    return data;
}

void BoardPatternTransfer::pasteFromClipboard()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr) {
        feedbackcues::refused();
        return;
    }
    paste(*data);
}

void BoardPatternTransfer::copyToClipboard()
{
    QGuiApplication::clipboard()->setMimeData(copyData().release());  // the clipboard takes it
}

bool BoardPatternTransfer::holdsDroppable(const QMimeData& data)
{
    return data.hasUrls() || data.hasText() || data.hasFormat(QLatin1String(patternMimeType));
}

bool BoardPatternTransfer::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (drag->mimeData() && holdsDroppable(*drag->mimeData()))
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* dropEvent = static_cast<QDropEvent*>(event);
        if (dropEvent->mimeData() && board_.onTop() && drop(*dropEvent->mimeData()))
            dropEvent->acceptProposedAction();
        else
            dropEvent->ignore();
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
