#include "gui/skin/skin_style.h"

#include <QPalette>
#include <QStyleFactory>

namespace kw::gui {

QString SkinStyleSheet() {
    return QStringLiteral(R"(
QComboBox, QLineEdit, QSpinBox {
    background: #0f1115; color: #d8dce5; border: 1px solid #2c313c; border-radius: 6px;
    padding: 2px 8px; selection-background-color: #0f98b4; font-family: "DejaVu Sans"; font-size: 12px;
}
QComboBox:hover, QLineEdit:hover { border-color: #22d3ee; }
QComboBox:focus, QLineEdit:focus { border-color: #22d3ee; }
QComboBox:disabled, QLineEdit:disabled { color: #5c6270; border-color: #22262e; }
QComboBox QAbstractItemView { background: #15171d; color: #d8dce5; border: 1px solid #2c313c;
    selection-background-color: #0f98b4; outline: 0; }
QTableWidget, QTreeWidget, QListWidget {
    background: #0f1115; alternate-background-color: #13161b; color: #d8dce5; border: none;
    gridline-color: #22262e; selection-background-color: #0f98b4; font-family: "DejaVu Sans"; font-size: 12px;
}
QHeaderView::section { background: #171a21; color: #8b919e; border: none;
    border-bottom: 1px solid #2a2e38; padding: 4px 6px; font-weight: bold; }
QCheckBox { color: #d8dce5; spacing: 6px; }
QCheckBox::indicator { width: 14px; height: 14px; border: 1px solid #3a3f4b; border-radius: 4px;
    background: #0f1115; }
QCheckBox::indicator:checked { background: #22d3ee; border-color: #22d3ee; }
QCheckBox:focus { color: #f4f7fb; }
QCheckBox::indicator:focus { border: 2px solid #22d3ee; }
QTableWidget::indicator { width: 14px; height: 14px; border: 1px solid #4a5060; border-radius: 4px;
    background: #0f1115; }
QTableWidget::indicator:checked { background: #22d3ee; border-color: #22d3ee; }
QToolTip { background: #15171d; color: #f4f7fb; border: 1px solid #22d3ee; padding: 4px; }
QMenu { background: #15171d; color: #d8dce5; border: 1px solid #2c313c; }
QMenu::item:selected { background: #0f98b4; }
QMenu::item:disabled { color: #5c6270; }
QMessageBox, QFileDialog, QInputDialog { background: #15171d; }
QMessageBox QLabel, QFileDialog QLabel { color: #d8dce5; font-family: "DejaVu Sans"; }
QPushButton {
    background: #1d2027; color: #d8dce5; border: 1px solid #2c313c; border-radius: 6px;
    padding: 5px 16px; min-width: 64px; font-family: "DejaVu Sans";
}
QPushButton:hover { border-color: #22d3ee; }
QPushButton:default { border-color: #22d3ee; color: #f4f7fb; }
QPushButton:focus { border: 2px solid #22d3ee; }
QPushButton:pressed { background: #0f98b4; }
QPushButton:disabled { color: #5c6270; border-color: #22262e; }
QTreeView, QListView { background: #0f1115; color: #d8dce5; border: 1px solid #2c313c;
    selection-background-color: #0f98b4; }
QToolButton { background: transparent; color: #d8dce5; border: 1px solid transparent; border-radius: 4px; }
QToolButton:hover { border-color: #22d3ee; }
)");
}

void ApplySkinTheme(QApplication& application) {
    // One style on every desktop, so the palette and the sheet look the same everywhere.
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(fusion);
    }
    QPalette dark;
    const QColor window(0x15, 0x17, 0x1d);
    const QColor base(0x0f, 0x11, 0x15);
    const QColor text(0xd8, 0xdc, 0xe5);
    const QColor accent(0x0f, 0x98, 0xb4);
    dark.setColor(QPalette::Window, window);
    dark.setColor(QPalette::WindowText, text);
    dark.setColor(QPalette::Base, base);
    dark.setColor(QPalette::AlternateBase, QColor(0x13, 0x16, 0x1b));
    dark.setColor(QPalette::Text, text);
    dark.setColor(QPalette::Button, QColor(0x1d, 0x20, 0x27));
    dark.setColor(QPalette::ButtonText, text);
    dark.setColor(QPalette::BrightText, Qt::white);
    dark.setColor(QPalette::Highlight, accent);
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::ToolTipBase, window);
    dark.setColor(QPalette::ToolTipText, QColor(0xf4, 0xf7, 0xfb));
    dark.setColor(QPalette::PlaceholderText, QColor(0x5c, 0x62, 0x70));
    dark.setColor(QPalette::Link, QColor(0x22, 0xd3, 0xee));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        dark.setColor(QPalette::Disabled, role, QColor(0x5c, 0x62, 0x70));
    }
    QApplication::setPalette(dark);
    application.setStyleSheet(SkinStyleSheet());
}

} // namespace kw::gui
