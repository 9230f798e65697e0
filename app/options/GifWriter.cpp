#include "options/GifWriter.h"

#include <gif_lib.h>

#include <algorithm>
#include <vector>

namespace {

// A colour table's size in GIF is a power of two from 2 to 256.
int colourTableSize(int colours)
{
    int size = 2;
    while (size < colours)
        size *= 2;
    return size;
}

}  // namespace

GifWriter::GifWriter(int width, int height, int delayCentiseconds)
    : width_(width), height_(height), delay_(delayCentiseconds)
{
    int code = 0;
    gif_ = EGifOpen(this, &GifWriter::write, &code);
    if (!gif_)
        fail(code);
    else
        EGifSetGifVersion(gif_, true);  // for the frame delays and the loop
}

GifWriter::~GifWriter()
{
    if (gif_)
        EGifCloseFile(gif_, nullptr);
}

int GifWriter::write(GifFileType* gif, const unsigned char* bytes, int length)
{
    auto* self = static_cast<GifWriter*>(gif->UserData);
    self->bytes_.append(reinterpret_cast<const char*>(bytes), length);
    return length;
}

bool GifWriter::fail(int code)
{
    if (error_.isEmpty()) {
        const char* text = GifErrorString(code);
        error_ = text ? QString::fromUtf8(text) : QStringLiteral("GIF error %1").arg(code);
    }
    return false;
}

bool GifWriter::add(const QImage& frame)
{
    if (!gif_ || !error_.isEmpty())
        return false;
    if (frame.format() != QImage::Format_Indexed8 || frame.width() != width_ || frame.height() != height_ ||
        frame.colorCount() < 1 || frame.colorCount() > 256) {
        error_ = QStringLiteral("A frame of another size or format");
        return false;
    }
    if (frames_ == 0) {
        const QList<QRgb> table = frame.colorTable();
        std::vector<GifColorType> colours(std::size_t(colourTableSize(int(table.size()))), GifColorType{0, 0, 0});
        for (qsizetype i = 0; i < table.size(); ++i)
            colours[std::size_t(i)] = {GifByteType(qRed(table[i])), GifByteType(qGreen(table[i])), GifByteType(qBlue(table[i]))};
        ColorMapObject* map = GifMakeMapObject(int(colours.size()), colours.data());
        if (!map)
            return fail(E_GIF_ERR_NOT_ENOUGH_MEM);
        const int put = EGifPutScreenDesc(gif_, width_, height_, 8, 0, map);
        GifFreeMapObject(map);
        if (put == GIF_ERROR)
            return fail(gif_->Error);
        // The Netscape extension: loop for ever (a count of 0).
        static const GifByteType netscape[] = "NETSCAPE2.0";
        static const GifByteType loop[] = {1, 0, 0};
        if (EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
            EGifPutExtensionBlock(gif_, 11, netscape) == GIF_ERROR || EGifPutExtensionBlock(gif_, 3, loop) == GIF_ERROR ||
            EGifPutExtensionTrailer(gif_) == GIF_ERROR)
            return fail(gif_->Error);
    }
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSAL_UNSPECIFIED;
    control.UserInputFlag = false;
    control.DelayTime = delay_;
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const size_t length = EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_ERROR ||
        EGifPutImageDesc(gif_, 0, 0, width_, height_, false, nullptr) == GIF_ERROR)
        return fail(gif_->Error);
    for (int y = 0; y < height_; ++y) {
        // giflib takes the line as writable but does not change it.
        if (EGifPutLine(gif_, const_cast<GifPixelType*>(frame.constScanLine(y)), width_) == GIF_ERROR)
            return fail(gif_->Error);
    }
    ++frames_;
    return true;
}

std::optional<QByteArray> GifWriter::finish()
{
    if (!gif_)
        return std::nullopt;
    int code = 0;
    const int closed = EGifCloseFile(gif_, &code);
    gif_ = nullptr;
    if (closed == GIF_ERROR)
        fail(code);
    if (!error_.isEmpty() || frames_ == 0)
        return std::nullopt;
    return std::move(bytes_);
}
