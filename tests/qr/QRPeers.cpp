#include "QRPeers.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace qrpeers {

bool haveZbarimg()
{
    return !QStandardPaths::findExecutable(QStringLiteral("zbarimg")).isEmpty();
}

bool haveQrencode()
{
    return !QStandardPaths::findExecutable(QStringLiteral("qrencode")).isEmpty();
}

std::optional<QByteArray> zbarDecodeFile(const QString& path)
{
    QProcess zbar;
    // -Sbinary: the code's bytes as they are, without a character set guess or a newline.
    zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("--raw"), QStringLiteral("-q"), QStringLiteral("-Sbinary"),
                                           QStringLiteral("-Sdisable"), QStringLiteral("-Sqrcode.enable"), path});
    if (!zbar.waitForFinished(60000) || zbar.exitStatus() != QProcess::NormalExit || zbar.exitCode() != 0)
        return std::nullopt;
    return zbar.readAllStandardOutput();
}

std::optional<QByteArray> zbarDecode(const QImage& image)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("code.png"));
    if (!image.save(path, "PNG"))
        return std::nullopt;
    return zbarDecodeFile(path);
}

bool qrencodeFile(const QByteArray& message, const QString& path, int moduleSize, const QStringList& options)
{
    QProcess qrencode;
    qrencode.start(QStringLiteral("qrencode"), QStringList{QStringLiteral("-l"), QStringLiteral("M"), QStringLiteral("-8"),
                                                           QStringLiteral("-s"), QString::number(moduleSize),
                                                           QStringLiteral("-o"), path}
                                                   + options);
    qrencode.write(message);
    qrencode.closeWriteChannel();
    return qrencode.waitForFinished(60000) && qrencode.exitStatus() == QProcess::NormalExit && qrencode.exitCode() == 0;
}

QImage qrencodeImage(const QByteArray& message, int moduleSize)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("code.png"));
    if (!qrencodeFile(message, path, moduleSize))
        return {};
    return QImage(path);
}

} // namespace qrpeers
