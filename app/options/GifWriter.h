#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

struct GifFileType;

// Writes an animated GIF into memory with giflib: frames of one size, each an 8-bit
// image of at most 256 colours (the first frame's colour table is the whole
// animation's), shown `delayCentiseconds` each and looped for ever. Not thread-safe;
// any one thread may use it.
class GifWriter {
public:
    GifWriter(int width, int height, int delayCentiseconds);
    ~GifWriter();
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;

    // Precondition: `frame` is Format_Indexed8 of the writer's size. False, with
    // error() saying why, when giflib refuses it; later frames are then refused too.
    bool add(const QImage& frame);
    // Ends the file and hands its bytes over; nullopt when a frame or the end failed,
    // or when no frame was added.
    std::optional<QByteArray> finish();

    int frameCount() const { return frames_; }
    const QString& error() const { return error_; }

private:
    bool fail(int code);
    static int write(GifFileType* gif, const unsigned char* bytes, int length);

    GifFileType* gif_ = nullptr;
    QByteArray bytes_;
    int width_;
    int height_;
    int delay_;
    int frames_ = 0;
    QString error_;
};
