#include "gui/skin/skin_style.h"

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
QTableWidget::indicator { width: 14px; height: 14px; border: 1px solid #4a5060; border-radius: 4px;
    background: #0f1115; }
QTableWidget::indicator:checked { background: #22d3ee; border-color: #22d3ee; }
QToolTip { background: #15171d; color: #f4f7fb; border: 1px solid #22d3ee; padding: 4px; }
QMenu { background: #15171d; color: #d8dce5; border: 1px solid #2c313c; }
QMenu::item:selected { background: #0f98b4; }
)");
}

} // namespace kw::gui
