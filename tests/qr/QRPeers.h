#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include <optional>

// Debian's QR tools as independent peers of the app's encoder and decoder.
namespace qrpeers {

// Whether zbarimg / qrencode can be run.
bool haveZbarimg();
bool haveQrencode();

// The bytes zbarimg reads from the image file at `path` (one code), or nullopt
// when it finds none.
std::optional<QByteArray> zbarDecodeFile(const QString& path);
// The same for an image, saved as PNG in a temporary folder first.
std::optional<QByteArray> zbarDecode(const QImage& image);

// A PNG made by `qrencode -l M -8 -s moduleSize` from `message`; a null image when
// qrencode fails.
QImage qrencodeImage(const QByteArray& message, int moduleSize = 6);
// The same PNG written to `path` as qrencode writes it, with further qrencode
// `options` ("--background=FFFFFF00"); false when qrencode fails.
bool qrencodeFile(const QByteArray& message, const QString& path, int moduleSize = 6, const QStringList& options = {});

} // namespace qrpeers

#define SKIP_WITHOUT_ZBARIMG()                                                     \
    do {                                                                           \
        if (!qrpeers::haveZbarimg())                                               \
            GTEST_SKIP() << "zbarimg (Debian zbar-tools) is not installed";        \
    } while (false)
#define SKIP_WITHOUT_QRENCODE()                                                    \
    do {                                                                           \
        if (!qrpeers::haveQrencode())                                              \
            GTEST_SKIP() << "qrencode (Debian qrencode) is not installed";         \
    } while (false)
