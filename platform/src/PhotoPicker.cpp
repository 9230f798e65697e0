#include "platform/PhotoPicker.h"

#include "platform/PicturesFolder.h"

#include <QFileDialog>
#include <QImageReader>

namespace platform {

namespace {

// Below this width the folder list beside the files leaves them no room.
constexpr int narrowWidth = 560;

// Qt's own dialog, where the platform offers no native one (the desktop's file
// chooser portal, which Qt uses under Flatpak and Snap or with the
// xdgdesktopportal platform theme): no larger than the app's window, over it.
void fitIntoWindow(QFileDialog& dialog, const QWidget* window)
{
    // A native dialog leaves the widget off screen; its size is the desktop's.
    if (!window || dialog.testAttribute(Qt::WA_DontShowOnScreen))
        return;
    const QRect room = window->geometry();
    if (room.width() < narrowWidth) {
        if (auto* sidebar = dialog.findChild<QWidget*>(QStringLiteral("sidebar")))
            sidebar->hide();
    }
    dialog.setMinimumSize(0, 0);
    dialog.setMaximumSize(room.size());
    QRect frame({0, 0}, dialog.sizeHint().boundedTo(room.size()).expandedTo(room.size() * 3 / 4));
    frame.moveCenter(room.center());
    dialog.setGeometry(frame);
}

} // namespace

PhotoPicker::~PhotoPicker() = default;

void PhotoPicker::pickImage(QWidget* parent, std::function<void(std::optional<QString>)> done)
{
    auto* dialog = new QFileDialog(parent ? parent->window() : nullptr, QObject::tr("Photo"), services().picturesFolder().path());
    dialog->setObjectName(QStringLiteral("photoPicker"));
    dialog->setAccessibleName(QObject::tr("Photo"));
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    QStringList types;
    for (const QByteArray& type : QImageReader::supportedMimeTypes())
        types.append(QString::fromLatin1(type));
    dialog->setMimeTypeFilters(types);
    // All images at once first; the single types stay for choosing.
    QStringList patterns;
    for (const QByteArray& suffix : QImageReader::supportedImageFormats())
        patterns.append(QStringLiteral("*.") + QString::fromLatin1(suffix));
    QStringList filters = dialog->nameFilters();
    filters.prepend(QObject::tr("Images (%1)").arg(patterns.join(QLatin1Char(' '))));
    dialog->setNameFilters(filters);
    dialog->selectNameFilter(filters.first());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    auto answered = std::make_shared<bool>(false);
    QObject::connect(dialog, &QFileDialog::finished, dialog, [dialog, answered, done](int result) {
        if (*answered)
            return;
        *answered = true;
        const QStringList files = dialog->selectedFiles();
        if (result == QDialog::Accepted && !files.isEmpty())
            done(files.first());
        else
            done(std::nullopt);
    });
    dialog->open();
    fitIntoWindow(*dialog, parent ? parent->window() : nullptr);
}

} // namespace platform
