#include "gui/app/qt_prompter.h"

#include <QMessageBox>

namespace kw::app {

bool QtPrompter::askYesNo(const std::string& text) {
    return QMessageBox::question(nullptr, QString(), QString::fromStdString(text),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void QtPrompter::showMessage(const std::string& text) {
    QMessageBox::information(nullptr, QString(), QString::fromStdString(text), QMessageBox::Ok);
}

bool QtPrompter::askOkCancel(const std::string& text, const std::string& caption) {
    return QMessageBox::warning(nullptr, QString::fromStdString(caption),
                                QString::fromStdString(text), QMessageBox::Ok | QMessageBox::Cancel,
                                QMessageBox::Ok) == QMessageBox::Ok;
}

} // namespace kw::app
