#include "gui/app/qt_prompter.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

namespace kw::app {
namespace {

// Questions stand over the window they are about, not in the middle of the screen.
QWidget* owner() {
    return QApplication::activeWindow();
}

} // namespace

bool QtPrompter::askYesNo(const std::string& text) {
    return QMessageBox::question(owner(), QString(), QString::fromStdString(text),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void QtPrompter::showMessage(const std::string& text) {
    QMessageBox::information(owner(), QString(), QString::fromStdString(text), QMessageBox::Ok);
}

bool QtPrompter::askOkCancel(const std::string& text, const std::string& caption) {
    return QMessageBox::warning(owner(), QString::fromStdString(caption),
                                QString::fromStdString(text), QMessageBox::Ok | QMessageBox::Cancel,
                                QMessageBox::Ok) == QMessageBox::Ok;
}

void QtPrompter::showMessageWithCopy(const std::string& text, const std::string& copyText,
                                     const std::string& copyCaption) {
    QMessageBox box(QMessageBox::Information, QString(), QString::fromStdString(text),
                    QMessageBox::Ok, owner());
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPushButton* copy = box.addButton(QString::fromStdString(copyCaption), QMessageBox::ActionRole);
    // Without the box's own handling the button copies and the box stays.
    QObject::disconnect(copy, &QAbstractButton::clicked, nullptr, nullptr);
    const QString commands = QString::fromStdString(copyText);
    QObject::connect(copy, &QAbstractButton::clicked, &box,
                     [commands] { QGuiApplication::clipboard()->setText(commands); });
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

} // namespace kw::app
