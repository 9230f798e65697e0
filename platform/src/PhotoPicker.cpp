#include "platform/PhotoPicker.h"

#include "platform/PicturesFolder.h"

#include "ProcessWide.h"

#include <QFileDialog>
#include <QImageReader>

namespace platform {

PhotoPicker::~PhotoPicker() = default;

void PhotoPicker::pickImage(QWidget* parent, std::function<void(std::optional<QString>)> done)
{
    auto* dialog = new QFileDialog(parent ? parent->window() : nullptr, QObject::tr("Photo"), picturesFolder());
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
}

namespace {
cellarium::ProcessWide<PhotoPicker> slot;
}

PhotoPicker& photoPicker()
{
    return slot.get();
}

void setPhotoPicker(std::unique_ptr<PhotoPicker> picker)
{
    slot.replace(std::move(picker));
}

} // namespace platform
