#include "gui/keyeditor/macro_tab.h"

#include "core/base/text.h"
#include "core/keys/key_names.h"
#include "core/keys/key_table.h"
#include "core/macros/record_delay_setting.h"
#include "core/skin/language.h"
#include "core/skin/text_keys.h"
#include "gui/skin/png_button.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimer>

namespace kw::gui {
namespace {

namespace tk = text_keys;

constexpr int kKeyListRows = 20;
constexpr int kDirectionListRows = 6;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// A drop-down over a cell that says when its list closes, chosen or not.
class CellComboBox : public QComboBox {
public:
    explicit CellComboBox(QWidget* parent, std::function<void()> closed)
        : QComboBox(parent), closed_(std::move(closed)) {}
    void hidePopup() override {
        QComboBox::hidePopup();
        // After the activation the close may have caused has been handled.
        QTimer::singleShot(0, this, [this] {
            if (closed_) {
                closed_();
            }
        });
    }

private:
    std::function<void()> closed_;
};

// Opens a drop-down once the mouse button that asked for it is up again: the
// release of a double click would otherwise land in the list and close it.
class PopupAfterRelease : public QObject {
public:
    explicit PopupAfterRelease(QComboBox& combo) : QObject(&combo), combo_(combo) {
        if (QGuiApplication::mouseButtons() == Qt::NoButton) {
            QTimer::singleShot(0, &combo_, [this] { combo_.showPopup(); });
            return;
        }
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease) {
            qApp->removeEventFilter(this);
            QTimer::singleShot(0, &combo_, [this] { combo_.showPopup(); });
        }
        return false;
    }

private:
    QComboBox& combo_;
};

} // namespace

CMacroTab::CMacroTab(QObject* parent, MacroTabControls controls, KeyEditorModel& model,
                     const Language& language, SettingsStore& settings,
                     std::function<void()> changed, std::function<void()> recordingChanged)
    : QObject(parent), c_(controls), model_(model), language_(language), settings_(settings),
      changed_(std::move(changed)), recordingChanged_(std::move(recordingChanged)),
      languageIndex_(language.CurrentLanguageIndex()) {
    c_.names.setEditable(true);
    c_.names.setInsertPolicy(QComboBox::NoInsert);
    c_.cycles.setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,3}")), &c_.cycles));
    c_.actions.setEditTriggers(QAbstractItemView::NoEditTriggers);
    connectControls();
}

void CMacroTab::LoadSettings() {
    model_.recorder().setRecordDelay(LoadRecordDelay(settings_, language_));
    c_.recordDelay.setChecked(model_.recorder().recordDelay());
}

void CMacroTab::connectControls() {
    MacroWorkingSet& set = model_.workingSet();
    const auto onClick = [this](CPngButton& button, auto action) {
        connect(&button, &QAbstractButton::clicked, this, [this, action] {
            action();
            Refresh();
            edited();
        });
    };
    onClick(c_.add, [&set] { set.AddMacro(); });
    onClick(c_.remove, [&set] { set.DeleteMacro(); });
    onClick(c_.deleteAction, [&set] { set.DeleteAction(); });
    onClick(c_.clearActions, [&set] { set.ClearActions(); });
    onClick(c_.top, [&set] { set.MoveAction(MoveTarget::Top); });
    onClick(c_.up, [&set] { set.MoveAction(MoveTarget::Up); });
    onClick(c_.down, [&set] { set.MoveAction(MoveTarget::Down); });
    onClick(c_.bottom, [&set] { set.MoveAction(MoveTarget::Bottom); });
    connect(&c_.record, &QAbstractButton::clicked, this, [this] {
        finishCellEdit();
        model_.ToggleRecording();
        Refresh();
        if (recordingChanged_) {
            recordingChanged_();
        }
    });
    for (CPngButton* moved : {&c_.top, &c_.up, &c_.down, &c_.bottom}) {
        // The list keeps the focus, so the moved row stays visibly selected.
        connect(moved, &QAbstractButton::clicked, &c_.actions, [this] { c_.actions.setFocus(); });
    }

    connect(&c_.names, &QComboBox::activated, this, [this](int index) {
        if (suppressSelection_) {
            return;
        }
        model_.MacroChosen(index);
        Refresh();
        edited();
    });
    connect(c_.names.lineEdit(), &QLineEdit::textEdited, this, [this, &set](const QString& text) {
        const bool wasEmpty = set.macros().empty();
        set.RenameMacro(text.toStdU16String());
        if (wasEmpty) {
            // The first macro was just made from the typed name.
            const int cursor = c_.names.lineEdit()->cursorPosition();
            Refresh();
            c_.names.lineEdit()->setCursorPosition(cursor);
        } else if (set.currentMacro() >= 0) {
            const QSignalBlocker block(&c_.names);
            c_.names.setItemText(
                set.currentMacro(),
                QString::fromStdU16String(std::u16string(
                    set.macros()[static_cast<std::size_t>(set.currentMacro())].nameView())));
        }
        edited();
    });
    connect(&c_.cycles, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString clamped = qs(model_.CyclesEdited(text.toStdString()));
        if (clamped != text) {
            c_.cycles.setText(clamped);
        }
        edited();
    });
    connect(&c_.recordDelay, &QAbstractButton::clicked, this, [this] {
        model_.recorder().setRecordDelay(!model_.recorder().recordDelay());
        StoreRecordDelay(settings_, language_, model_.recorder().recordDelay());
        c_.recordDelay.setChecked(model_.recorder().recordDelay());
    });
    connect(&c_.actions, &QTableWidget::itemSelectionChanged, this, [this] {
        if (suppressSelection_) {
            return;
        }
        const QList<QTableWidgetItem*> chosen = c_.actions.selectedItems();
        model_.workingSet().SelectRow(chosen.isEmpty() ? -1 : chosen.front()->row());
    });
    connect(&c_.actions, &QTableWidget::cellDoubleClicked, this, &CMacroTab::EditCell);
}

void CMacroTab::edited() {
    if (changed_) {
        changed_();
    }
}

void CMacroTab::Refresh() {
    refreshNames();
    refreshRows();
    refreshStates();
}

void CMacroTab::refreshNames() {
    const MacroWorkingSet& set = model_.workingSet();
    suppressSelection_ = true;
    const QSignalBlocker block(&c_.names);
    // The typed text survives the refill while the user is renaming.
    const QString typed = c_.names.lineEdit()->text();
    c_.names.clear();
    for (const MacroRecord& macro : set.macros()) {
        c_.names.addItem(QString::fromStdU16String(std::u16string(macro.nameView())));
    }
    c_.names.setCurrentIndex(set.currentMacro());
    if (set.currentMacro() < 0) {
        c_.names.lineEdit()->setText(set.macros().empty() ? typed : QString());
    }
    c_.cycles.setText(qs(set.cyclesText()));
    suppressSelection_ = false;
}

void CMacroTab::refreshRows() {
    const MacroWorkingSet& set = model_.workingSet();
    suppressSelection_ = true;
    c_.actions.clearSelection();
    c_.actions.setRowCount(static_cast<int>(set.rows().size()));
    const QColor grey = c_.actions.palette().color(QPalette::Disabled, QPalette::Text);
    for (int row = 0; row < c_.actions.rowCount(); ++row) {
        const MacroAction& action = set.rows()[static_cast<std::size_t>(row)];
        const QString cells[] = {qs(ActionKeyText(action, language_)),
                                 qs(ActionDirectionText(action)), qs(ActionDelayText(action))};
        for (int column = 0; column < 3; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column < 2) {
                item->setForeground(grey);
            }
            c_.actions.setItem(row, column, item);
        }
    }
    if (set.selectedRow() >= 0) {
        c_.actions.selectRow(set.selectedRow());
        c_.actions.scrollToItem(c_.actions.item(set.selectedRow(), 0));
    }
    suppressSelection_ = false;
}

void CMacroTab::refreshStates() {
    const bool recording = model_.recording();
    const bool actions = model_.workingSet().actionControlsEnabled();
    for (CPngButton* b :
         {&c_.record, &c_.deleteAction, &c_.clearActions, &c_.top, &c_.up, &c_.down, &c_.bottom}) {
        b->setEnabled(actions);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{&c_.add, &c_.remove, &c_.names}) {
        w->setEnabled(!recording);
    }
    c_.record.setText(qs(language_.LookupText(
        recording ? tk::MACRO_ACTION_STOP_RECORD : tk::MACRO_ACTION_RECORD, languageIndex_)));
    c_.record.SetSelected(recording, true);
}

void CMacroTab::LanguageChanged(int languageIndex) {
    languageIndex_ = languageIndex;
    const auto text = [&](std::string_view key) {
        return qs(language_.LookupText(key, languageIndex));
    };
    c_.actions.setHorizontalHeaderLabels(
        {text(tk::MACRO_KEYS_TISHI), text(tk::MACRO_ACTION_TISHI), text(tk::MACRO_DELAY_MS)});
    Refresh();
}

void CMacroTab::StopRecording() {
    if (model_.recording()) {
        model_.ToggleRecording();
        Refresh();
        if (recordingChanged_) {
            recordingChanged_();
        }
    }
}

bool CMacroTab::RecordKey(const KeyStroke& stroke) {
    const std::size_t before = model_.workingSet().rows().size();
    const bool swallowed = model_.recorder().KeyEvent(stroke);
    if (model_.workingSet().rows().size() != before) {
        refreshRows();
        edited();
    }
    return swallowed;
}

void CMacroTab::EditCell(int row, int column) {
    finishCellEdit();
    MacroWorkingSet& set = model_.workingSet();
    set.SelectRow(row);
    if (column == 2) {
        // A delay edit ends the recording first: its rows would move under the edit.
        StopRecording();
    }
    if (!set.BeginCellEdit(column)) {
        return;
    }
    const MacroAction& action = set.rows()[static_cast<std::size_t>(row)];
    if (column == 2) {
        auto* edit = new QLineEdit(qs(ActionDelayText(action)));
        edit->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9]{0,9}")), edit));
        connect(edit, &QLineEdit::editingFinished, this, [this, edit] {
            if (cellEditor_ != edit) {
                return;
            }
            model_.workingSet().EditDelayCell(edit->text().toStdString());
            finishCellEdit();
        });
        cellEditor_ = edit;
        delayEditor_ = edit;
        c_.actions.setCellWidget(row, column, edit);
        edit->selectAll();
        edit->setFocus();
        return;
    }
    auto* combo = new CellComboBox(nullptr, [this] { finishCellEdit(); });
    // A list of the given height, not one as tall as the screen.
    combo->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    if (column == 0) {
        for (int p = 0; p < kKeyListSize; ++p) {
            combo->addItem(
                qs(ListEntryName(static_cast<std::uint16_t>(p), language_, languageIndex_)));
        }
        combo->setMaxVisibleItems(kKeyListRows);
        combo->setCurrentIndex(ListPositionOf(action.keyCode));
        connect(combo, &QComboBox::activated, this,
                [this](int p) { model_.workingSet().EditKeyCell(p); });
    } else {
        MacroAction press;
        MacroAction release;
        release.isRelease = 1;
        combo->addItem(qs(ActionDirectionText(press)));
        combo->addItem(qs(ActionDirectionText(release)));
        combo->setMaxVisibleItems(kDirectionListRows);
        combo->setCurrentIndex(action.isRelease == 1 ? 1 : 0);
        connect(combo, &QComboBox::activated, this,
                [this](int choice) { model_.workingSet().EditDirectionCell(choice); });
    }
    cellEditor_ = combo;
    c_.actions.setCellWidget(row, column, combo);
    combo->setFocus();
    new PopupAfterRelease(*combo);
}

void CMacroTab::CommitCellEdit() {
    if (delayEditor_ && cellEditor_ == delayEditor_) {
        model_.workingSet().EditDelayCell(delayEditor_->text().toStdString());
    }
    finishCellEdit();
}

void CMacroTab::finishCellEdit() {
    if (!cellEditor_) {
        return;
    }
    cellEditor_ = nullptr;
    delayEditor_ = nullptr;
    edited();
    // The list deletes a cell's editor when it is taken away, so that waits
    // until the editor's own signal has returned.
    QTimer::singleShot(0, this, [this] {
        for (int row = 0; row < c_.actions.rowCount(); ++row) {
            for (int column = 0; column < 3; ++column) {
                c_.actions.removeCellWidget(row, column);
            }
        }
        refreshRows();
    });
}

} // namespace kw::gui
