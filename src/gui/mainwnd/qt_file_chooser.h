#pragma once
// File names asked with the platform's file dialogs.

#include "core/mainwnd/file_chooser.h"

class QWidget;

namespace kw::gui {

class QtFileChooser : public FileChooser {
public:
    explicit QtFileChooser(QWidget* parent) : parent_(parent) {}
    std::filesystem::path chooseOpenFile(const FileFilter& filter) override;
    std::filesystem::path chooseSaveFile(const FileFilter& filter) override;

private:
    QWidget* parent_;
};

} // namespace kw::gui
