#include "gui/mainwnd/qt_file_chooser.h"

#include <QFileDialog>

namespace kw::gui {
namespace {

// "(*.fwc)" then "(*)", with the description in front when there is one;
// "(*)" alone without an extension.
QString filterText(const FileFilter& filter) {
    const QString ext = QString::fromStdString(filter.defaultExtension);
    QString own = ext.isEmpty() ? QStringLiteral("(*)") : QStringLiteral("(*.%1)").arg(ext);
    if (ext.isEmpty()) {
        return filter.description.empty()
                   ? own
                   : QString::fromStdString(filter.description) + QLatin1Char(' ') + own;
    }
    if (!filter.description.empty()) {
        own.prepend(QString::fromStdString(filter.description) + QLatin1Char(' '));
    }
    return own + QStringLiteral(";;(*)");
}

std::filesystem::path run(QWidget* parent, const FileFilter& filter, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilter(filterText(filter));
    dialog.setDefaultSuffix(QString::fromStdString(filter.defaultExtension));
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (!filter.startFolder.empty()) {
        dialog.setDirectory(QString::fromStdString(filter.startFolder.string()));
    }
    if (!filter.proposedName.empty()) {
        dialog.selectFile(QString::fromStdString(filter.proposedName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return std::filesystem::path(dialog.selectedFiles().first().toStdString());
}

} // namespace

std::filesystem::path QtFileChooser::chooseOpenFile(const FileFilter& filter) {
    return run(parent_, filter, QFileDialog::AcceptOpen);
}

std::filesystem::path QtFileChooser::chooseSaveFile(const FileFilter& filter) {
    // QFileDialog asks before overwriting unless told otherwise.
    return run(parent_, filter, QFileDialog::AcceptSave);
}

} // namespace kw::gui
