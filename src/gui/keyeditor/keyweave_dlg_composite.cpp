#include "gui/keyeditor/keyweave_dlg_composite.h"

#include "core/base/prompter.h"
#include "core/keyeditor/dialog_position.h"
#include "core/keyeditor/mouse_functions.h"
#include "core/keys/key_names.h"
#include "core/keys/media_keys.h"
#include "core/macros/macro_working_set.h"
#include "core/skin/language.h"
#include "core/skin/skin_layout.h"
#include "core/skin/text_keys.h"
#include "gui/keyeditor/key_stroke_of_event.h"
#include "gui/keyeditor/macro_tab.h"
#include "gui/keyeditor/on_screen_keyboard.h"
#include "gui/skin/color_static.h"
#include "gui/skin/placement.h"
#include "gui/skin/skin_style.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>

namespace kw::gui {
namespace {

namespace tk = text_keys;
using namespace composite;

// The design's face is not on every desktop; a free one that is.
const QString kFont = QStringLiteral("DejaVu Sans");
constexpr int kCaptionPoints = 9;
constexpr int kRecordCaptionPoints = 8;
constexpr double kLabelPoints = 10.8;
constexpr int kKeyInputPoints = 18;
constexpr int kListPoints = 12;
constexpr int kActionListPoints = 8;
const QColor kLabelColour(228, 228, 228);

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// The skin's style sheet sets the fonts of edits, lists and tables; a
// control's own sheet is what overrides it.
void setFontPoints(QWidget& control, double points) {
    control.setStyleSheet(
        QStringLiteral("font-family: \"%1\"; font-size: %2pt;").arg(kFont).arg(points));
}

struct ButtonRow {
    int id;
    std::string_view key;
    bool caption;
};

// The image buttons cut from the tab pages' pictures (set Key) ...
constexpr ButtonRow kPageButtons[] = {
    {kTitle, "CONTROL_TITLE", false},
    {kTabKey, "CONTROL_KEY", true},
    {kTabMacro, "CONTROL_MACRO", true},
    {kTabMedia, "CONTROL_MEDIA", true},
    {kTabFunction, "CONTROL_FUNCTION", true},
    {kClear, "CONTROL_CLEAR", false},
    {kOsk, "CONTROL_OSK", false},
    {kApply, "CONTROL2_APPLY", true},
    {kOk, "CONTROL_OK", true},
    {kCancel, "CONTROL_CANCEL", true},
};
// ... and from the macro page's (set Macro).
constexpr ButtonRow kMacroButtons[] = {
    {kMacroAdd, "FUNC_MACRO_ADD", false},
    {kMacroDelete, "FUNC_MACRO_DELETE", false},
    {kRecord, "FUNC_MACRO_RECORD", true},
    {kActionDelete, "FUNC_MACRO_DELETE2", false},
    {kActionClear, "FUNC_MACRO_CLEAR", false},
    {kActionTop, "FUNC_MACRO_UP_TOP", false},
    {kActionUp, "FUNC_MACRO_UP", false},
    {kActionDown, "FUNC_MACRO_DOWN", false},
    {kActionBottom, "FUNC_MACRO_DOWN_BOTTOM", false},
};

struct LabelRow {
    int id;
    std::string_view key;
};
constexpr LabelRow kLabels[] = {
    {kHeaderLabel, "KEY_SETTING"},
    {kMacroNameLabel, "MARCO_NAME_SETTING"},
    {kSingleHint, "TISHI_SINGLE_STATIC"},
    {kMediaHint, "MEDIA_SETTING_TISHI"},
    {kFunctionHint, "FUNCTION_KEY_SETTING_TISHI"},
    {kCyclesLabel, "FUNC_MACRO_CYCLES_PROMPT"},
    {kRecordDelayLabel, "FUNC_MACRO_RECORD_DELAY2"},
    {kKeyboardLabel, "FUNC_KEY_RADIO_KB_STATIC"},
    {kMouseLabel, "FUNC_KEY_RADIO_MOU_STATIC"},
    {kTitleText, "CONTROL_TITLE_TEXT"},
};

struct TextRow {
    int id;
    std::string_view key;
};
constexpr TextRow kTexts[] = {
    {kCyclesLabel, tk::MACRO_CYCLES},
    {kRecordDelayLabel, tk::RECORD_DELAY},
    {kKeyboardLabel, tk::IDS_MACRO_KB_KEY},
    {kMouseLabel, tk::IDS_MACRO_MOU_KEY},
    {kSingleHint, tk::SINGLE_STATIC},
    {kMacroNameLabel, tk::MACRO_NAME_SETTING},
    {kMediaHint, tk::MEDIA_EDIT_TISHI},
    {kFunctionHint, tk::FUNCTION_TISHI},
    {kTabMacro, tk::MACRO_SETTING},
    {kRecord, tk::A_RECORD},
    {kOk, tk::MACRO_OK},
    {kCancel, tk::MACRO_CANCLE},
    {kApply, tk::PROFILE_APPLY},
};
// Captions that are also tooltips.
constexpr TextRow kActionTexts[] = {
    {kActionTop, tk::A_TOP},       {kActionUp, tk::A_UP},         {kActionDown, tk::A_DOWN},
    {kActionBottom, tk::A_BOTTOM}, {kActionDelete, tk::A_DELETE}, {kActionClear, tk::A_CLEAR},
};

// The controls each tab shows.
constexpr int kMacroControls[] = {kCycles,      kMacroDelete, kMacroAdd,     kActionTop,
                                  kActionUp,    kActionDown,  kActionBottom, kActionDelete,
                                  kActionClear, kRecord,      kRecordDelay,  kRecordDelayLabel,
                                  kActionList,  kMacroName,   kCyclesLabel,  kMacroNameLabel};
constexpr int kSingleKeyControls[] = {kSingleHint, kKeyInput,     kKeyboardLabel, kMouseLabel,
                                      kMouseList,  kKeyboardMode, kMouseMode};
constexpr int kMediaControls[] = {kMediaHint, kMediaList};
constexpr int kFunctionControls[] = {kFunctionHint, kFunctionList};

} // namespace

Keyweave_DlgComposite::Keyweave_DlgComposite(QWidget* parent, std::filesystem::path skinIniFile,
                                             KeyEditorModel& model,
                                             CompositeDialogDependencies dependencies,
                                             FatalExit fatalExit)
    : CBaseDialog(parent, std::move(skinIniFile), fatalExit), model_(model),
      deps_(std::move(dependencies)), fatalExit_(std::move(fatalExit)) {
    setModal(true);
    setObjectName(QStringLiteral("compositeEditor"));
}

Keyweave_DlgComposite::~Keyweave_DlgComposite() {
    setCapture(false);
}

QWidget* Keyweave_DlgComposite::Control(int id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

CPngButton& Keyweave_DlgComposite::addButton(int id, std::string_view key, PageSet set,
                                             bool drawCaption) {
    auto* button = new CPngButton(this);
    button->setObjectName(QString::fromLatin1(key.data(), static_cast<int>(key.size())));
    button->setProperty("controlId", id);
    const auto& p = pictures(set);
    PlaceImageButton(*button, Layout(), skin::kButtonSection, key, {p[0], p[1], p[2], p[3], p[2]});
    if (drawCaption) {
        const CPngButton::TextColours white{Qt::white, Qt::white, Qt::white, QColor(150, 156, 166),
                                            Qt::white};
        button->SetTextStyle(true, id == kRecord ? kRecordCaptionPoints : kCaptionPoints, kFont,
                             white);
    }
    controls_[id] = button;
    return *button;
}

template <typename Widget>
Widget& Keyweave_DlgComposite::addControl(int id, std::string_view key) {
    auto* control = new Widget(this);
    control->setObjectName(QString::fromLatin1(key.data(), static_cast<int>(key.size())));
    control->setProperty("controlId", id);
    PlaceControl(*control, Layout(), skin::kButtonSection, key);
    controls_[id] = control;
    return *control;
}

ColorStatic& Keyweave_DlgComposite::addLabel(int id, std::string_view key) {
    ColorStatic& label = addControl<ColorStatic>(id, key);
    label.SetTextColour(kLabelColour);
    label.setWordWrap(true);
    label.setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

bool Keyweave_DlgComposite::Initialise() {
    if (!ApplySkin()) {
        return false;
    }
    pictures_ = LoadCompositePictures(deps_.programFolder, size(), PictureRatio());
    if (!pictures_) {
        fatalExit_();
        return false;
    }
    setStyleSheet(SkinStyleSheet());
    placeControls();
    const auto button = [this](int id) -> CPngButton& {
        return *static_cast<CPngButton*>(Control(id));
    };
    macroTab_ = new CMacroTab(
        this,
        {*static_cast<QComboBox*>(Control(kMacroName)),
         *static_cast<QTableWidget*>(Control(kActionList)),
         *static_cast<QLineEdit*>(Control(kCycles)),
         *static_cast<QCheckBox*>(Control(kRecordDelay)), button(kRecord), button(kMacroAdd),
         button(kMacroDelete), button(kActionDelete), button(kActionClear), button(kActionTop),
         button(kActionUp), button(kActionDown), button(kActionBottom)},
        model_, deps_.language, deps_.settings, [this] { updateApply(); },
        [this] { setCapture(wantsKeys()); });
    macroTab_->LoadSettings();
    fillLists();
    connectControls();
    LanguageChanged(deps_.language.CurrentLanguageIndex());
    show(model_.View());
    updateApply();
    return true;
}

void Keyweave_DlgComposite::placeControls() {
    // The page picture lies under everything else and takes no clicks.
    CPngButton& mask = addButton(kMask, "CONTROL_MASK", PageSet::Key, false);
    mask.setAttribute(Qt::WA_TransparentForMouseEvents);
    mask.SetDecorative();
    mask.lower();
    for (const ButtonRow& row : kPageButtons) {
        addButton(row.id, row.key, PageSet::Key, row.caption);
    }
    Control(kTitle)->setAttribute(Qt::WA_TransparentForMouseEvents);
    static_cast<CPngButton*>(Control(kTitle))->SetDecorative();
    for (const ButtonRow& row : kMacroButtons) {
        addButton(row.id, row.key, PageSet::Macro, row.caption);
    }
    for (const LabelRow& row : kLabels) {
        addLabel(row.id, row.key);
    }
    for (const LabelRow& row : kLabels) {
        QWidget& label = *Control(row.id);
        setFontPoints(label, kLabelPoints);
        label.setStyleSheet(label.styleSheet() +
                            QStringLiteral(" color: %1;").arg(kLabelColour.name()));
    }
    {
        // The key's name reads as the value of the purpose before it.
        QWidget& title = *Control(kTitleText);
        title.setStyleSheet(title.styleSheet() +
                            QStringLiteral(" font-weight: bold; color: #22d3ee;"));
    }

    auto& input = addControl<QLineEdit>(kKeyInput, "FUNC_KEY_INPUT");
    input.setReadOnly(true);
    input.setAlignment(Qt::AlignCenter);
    setFontPoints(input, kKeyInputPoints);
    // Read-only: while it has the focus the dialog takes the keys, so none
    // ever edits it. Tab or a click back into it starts a new capture.
    input.setFocusPolicy(Qt::StrongFocus);
    input.installEventFilter(this);
    for (const auto& [id, key] : {std::pair{kKeyboardMode, "FUNC_KEY_RADIO_KB"},
                                  std::pair{kMouseMode, "FUNC_KEY_RADIO_MOU"},
                                  std::pair{kRecordDelay, "FUNC_MACRO_RECORD_DELAY"}}) {
        addControl<QCheckBox>(id, key).setText(QString());
    }
    for (const auto& [id, key] :
         {std::pair{kMouseList, "FUNC_KEY_COMBO_MOU"}, std::pair{kMediaList, "FUNC_MEDIA_SELECT"},
          std::pair{kFunctionList, "FUNC_FUNCTION_SELECT"},
          std::pair{kMacroName, "FUNC_MACRO_LIST"}}) {
        setFontPoints(addControl<QComboBox>(id, key), kListPoints);
    }
    auto& cycles = addControl<QLineEdit>(kCycles, "FUNC_MACRO_CYCLES");
    cycles.setAlignment(Qt::AlignCenter);

    auto& actions = addControl<QTableWidget>(kActionList, "FUNC_MACRO_LIST2");
    actions.setColumnCount(3);
    setFontPoints(actions, kActionListPoints);
    actions.setSelectionBehavior(QAbstractItemView::SelectRows);
    actions.setSelectionMode(QAbstractItemView::SingleSelection);
    actions.setEditTriggers(QAbstractItemView::NoEditTriggers);
    actions.verticalHeader()->hide();
    actions.setShowGrid(false);
    actions.horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    actions.horizontalHeader()->setStretchLastSection(true);
    actions.setColumnWidth(0, 160);
    actions.setColumnWidth(1, 80);
}

void Keyweave_DlgComposite::fillLists() {
    auto* media = static_cast<QComboBox*>(Control(kMediaList));
    for (const MediaKey& key : MediaKeyTable()) {
        media->addItem(qs(KeyNameOf(key.code, deps_.language)));
    }
    auto* functions = static_cast<QComboBox*>(Control(kFunctionList));
    for (const std::string_view key : FunctionKeyTable()) {
        functions->addItem(qs(deps_.language.text(key)));
    }
    auto* mouse = static_cast<QComboBox*>(Control(kMouseList));
    for (const std::string_view key : kMouseFunctionTextKeys) {
        mouse->addItem(qs(deps_.language.text(key)));
    }
}

void Keyweave_DlgComposite::connectControls() {
    const auto onClick = [this](int id, auto slot) {
        connect(static_cast<QAbstractButton*>(Control(id)), &QAbstractButton::clicked, this, slot);
    };
    const auto tab = [this](EditorTab t) {
        if (const auto view = model_.TabClicked(t)) {
            show(*view);
        }
        updateApply();
    };
    onClick(kTabKey, [tab] { tab(EditorTab::Key); });
    onClick(kTabMacro, [tab] { tab(EditorTab::Macro); });
    onClick(kTabMedia, [tab] { tab(EditorTab::Media); });
    onClick(kTabFunction, [tab] { tab(EditorTab::Function); });
    onClick(kClear, [this] {
        show(model_.ClearClicked());
        updateApply();
    });
    onClick(kKeyboardMode, [this] {
        show(model_.KeyboardModeClicked());
        updateApply();
    });
    onClick(kMouseMode, [this] {
        show(model_.MouseModeClicked());
        updateApply();
    });
    onClick(kOsk, [this] {
        if (!StartOnScreenKeyboard(deps_.shell)) {
            deps_.prompter.showMessage(deps_.language.text(tk::COMPOSITE_OSK_MISSING));
        }
    });
    onClick(kApply, [this] { commit(); });
    onClick(kOk, [this] {
        commit();
        accept();
    });
    onClick(kCancel, [this] { reject(); });

    const auto onChoice = [this](int id, auto chosen) {
        connect(static_cast<QComboBox*>(Control(id)), &QComboBox::activated, this,
                [this, chosen](int position) {
                    (model_.*chosen)(position);
                    updateApply();
                });
    };
    onChoice(kMouseList, &KeyEditorModel::MouseFunctionChosen);
    onChoice(kMediaList, &KeyEditorModel::MediaFunctionChosen);
    onChoice(kFunctionList, &KeyEditorModel::KeyboardFunctionChosen);
}

void Keyweave_DlgComposite::LanguageChanged(int languageIndex) {
    const Language& language = deps_.language;
    const auto text = [&](std::string_view key) {
        return qs(language.LookupText(key, languageIndex));
    };
    for (const TextRow& row : kTexts) {
        Control(row.id)->setProperty("text", text(row.key));
    }
    // Inputs are named by the label beside them, as a screen reader says them.
    for (const auto& [input, label] :
         {std::pair{kKeyInput, kSingleHint}, std::pair{kKeyboardMode, kKeyboardLabel},
          std::pair{kMouseMode, kMouseLabel}, std::pair{kMouseList, kMouseLabel},
          std::pair{kMediaList, kMediaHint}, std::pair{kFunctionList, kFunctionHint},
          std::pair{kMacroName, kMacroNameLabel}, std::pair{kCycles, kCyclesLabel},
          std::pair{kRecordDelay, kRecordDelayLabel}}) {
        Control(input)->setAccessibleName(Control(label)->property("text").toString());
    }
    if (QLineEdit* name = static_cast<QComboBox*>(Control(kMacroName))->lineEdit()) {
        name->setAccessibleName(Control(kMacroName)->accessibleName());
    }
    for (const TextRow& row : kActionTexts) {
        static_cast<CPngButton*>(Control(row.id))->SetTooltip(text(row.key), true);
    }
    const bool macroEdit = model_.state().selection.macroEditMode != 0;
    const QString header = text(macroEdit ? tk::MACRO_EDIT_TISHI : tk::KEY_SETTING_TISHI);
    Control(kHeaderLabel)->setProperty("text", header);
    // The window system, task switchers and screen readers name the dialog by it.
    setWindowTitle(header);
    const std::uint16_t keyIndex = model_.state().selection.keyIndex;
    const QString keyName = keyIndex >= kFirstGKeyIndex
                                ? QStringLiteral("G%1").arg(keyIndex - kFirstGKeyIndex + 1)
                                : qs(KeyNameOf(KeyCodeOfIndex(keyIndex), language, languageIndex));
    // In macro-edit mode the dialog edits macros, not a key.
    Control(kTitleText)->setProperty("text", macroEdit ? QString() : keyName);
    for (const auto& [id, key] :
         {std::pair{kTabKey, tk::SINGLE_KEY}, std::pair{kTabMedia, tk::MULTI_MEDIA},
          std::pair{kTabFunction, tk::FUNCTION_KEY}}) {
        Control(id)->setProperty("text", macroEdit ? QString() : text(key));
    }
    static_cast<CPngButton*>(Control(kClear))->SetTooltip(text(tk::COMPOSITE_PROMPT_CLEAR), true);
    static_cast<CPngButton*>(Control(kMacroAdd))->SetTooltip(text("ACCESS_MACRO_ADD"), true);
    static_cast<CPngButton*>(Control(kMacroDelete))->SetTooltip(text("ACCESS_MACRO_DELETE"), true);
    static_cast<CPngButton*>(Control(kOsk))->SetTooltip(text(tk::COMPOSITE_PROMPT_OSK), true);
    auto* functions = static_cast<QComboBox*>(Control(kFunctionList));
    for (int i = 0; i < functions->count(); ++i) {
        functions->setItemText(i, text(FunctionKeyTable()[static_cast<std::size_t>(i)]));
    }
    auto* mouse = static_cast<QComboBox*>(Control(kMouseList));
    for (int i = 0; i < mouse->count(); ++i) {
        mouse->setItemText(i, text(kMouseFunctionTextKeys[static_cast<std::size_t>(i)]));
    }
    auto* media = static_cast<QComboBox*>(Control(kMediaList));
    for (int i = 0; i < media->count(); ++i) {
        media->setItemText(i, qs(KeyNameOf(MediaKeyTable()[static_cast<std::size_t>(i)].code,
                                           language, languageIndex)));
    }
    showKeyName();
    macroTab_->LanguageChanged(languageIndex);
}

void Keyweave_DlgComposite::show(const ShowKindView& view) {
    view_ = view;
    const bool macroEdit = model_.state().selection.macroEditMode != 0;
    const auto& page = pictures(view.maskSet);
    static_cast<CPngButton*>(Control(kMask))
        ->SetFaceSources(page[0], page[1], page[2], page[3], page[0]);
    if (macroEdit) {
        // Only the macro tab works; the other tabs, Clear and the title show
        // the macro-edit strip.
        const auto& strip = pictures(PageSet::Macro2);
        for (int id : {kTabKey, kTabMedia, kTabFunction, kTitle, kClear}) {
            static_cast<CPngButton*>(Control(id))
                ->SetFaceSources(strip[0], strip[1], strip[2], strip[3], strip[2]);
        }
        for (int id : {kTabKey, kTabMedia, kTabFunction, kClear}) {
            Control(id)->setEnabled(false);
        }
    }
    const auto setVisible = [this](std::span<const int> ids, bool visible) {
        for (int id : ids) {
            Control(id)->setVisible(visible);
        }
    };
    setVisible(kMacroControls, view.macroControls);
    setVisible(kSingleKeyControls, view.singleKeyControls);
    setVisible(kMediaControls, view.mediaControls);
    setVisible(kFunctionControls, view.functionControls);
    if (macroEdit) {
        for (int id : {kSingleHint, kMediaHint, kFunctionHint}) {
            Control(id)->hide();
        }
    }
    const int tabs[] = {kTabKey, kTabMacro, kTabMedia, kTabFunction};
    for (std::size_t i = 0; i < 4; ++i) {
        static_cast<CPngButton*>(Control(tabs[i]))->SetSelected(view.tabMarks[i], true);
    }

    static_cast<QCheckBox*>(Control(kKeyboardMode))->setChecked(!view.mouseMode);
    static_cast<QCheckBox*>(Control(kMouseMode))->setChecked(view.mouseMode);
    Control(kKeyInput)->setEnabled(!view.mouseMode);
    Control(kMouseList)->setEnabled(view.mouseMode);
    static_cast<QComboBox*>(Control(kMouseList))->setCurrentIndex(view.mousePosition);
    static_cast<QComboBox*>(Control(kMediaList))->setCurrentIndex(view.mediaPosition);
    static_cast<QComboBox*>(Control(kFunctionList))->setCurrentIndex(view.functionPosition);
    showKeyName();
    macroTab_->Refresh();
    // The controls of the visible tab lie over the page picture.
    for (const auto& [id, control] : controls_) {
        if (id != kMask) {
            control->raise();
        }
    }
    switch (view.focus) {
    case EditorFocus::KeyInput:
        captureDone_ = false;
        Control(kKeyInput)->setFocus();
        break;
    case EditorFocus::MediaList:
        Control(kMediaList)->setFocus();
        break;
    case EditorFocus::FunctionList:
        Control(kFunctionList)->setFocus();
        break;
    case EditorFocus::None:
        break;
    }
    setCapture(wantsKeys() && isVisible());
}

bool Keyweave_DlgComposite::wantsKeys() const {
    return (view_.captureKeys && !captureDone_) || model_.recording();
}

void Keyweave_DlgComposite::finishCapture() {
    // The taken key is let go: the keyboard is the user's again, and the next
    // key they are likely to want is OK.
    takenCode_.reset();
    captureDone_ = true;
    setCapture(wantsKeys() && isVisible());
    Control(kOk)->setFocus(Qt::TabFocusReason);
}

void Keyweave_DlgComposite::showKeyName() {
    const KeyEditorState& s = model_.state();
    const bool named = view_.singleKeyControls && !s.mouseMode && s.capturedCode != kNoKey;
    static_cast<QLineEdit*>(Control(kKeyInput))
        ->setText(named ? qs(KeyNameOf(s.capturedCode, deps_.language)) : QString());
}

void Keyweave_DlgComposite::updateApply() {
    Control(kApply)->setEnabled(model_.unappliedChanges());
}

void Keyweave_DlgComposite::commit() {
    macroTab_->CommitCellEdit();
    const KeyCommitResult result = model_.Commit();
    macroTab_->Refresh();
    setCapture(wantsKeys() && isVisible());
    if (deps_.committed) {
        deps_.committed(result);
    }
    updateApply();
}

void Keyweave_DlgComposite::PlaceBeside(const QRect& key) {
    QScreen* screen = QGuiApplication::screenAt(key.center());
    if (!screen) {
        screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    }
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
    const ScreenPoint at = KeyEditorPosition(
        model_.state().selection.macroEditMode != 0,
        {key.left(), key.top(), key.left() + key.width(), key.top() + key.height()}, width(),
        height(),
        {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()});
    move(at.x, at.y);
}

void Keyweave_DlgComposite::setCapture(bool on) {
    if (on == capturing_) {
        return;
    }
    capturing_ = on;
    if (on) {
        // Installed last, so this filter sees the keys before the main window's.
        qApp->installEventFilter(this);
        // Where the window system refuses the grab, keys the window receives are still taken.
        grabKeyboard();
    } else {
        releaseKeyboard();
        qApp->removeEventFilter(this);
    }
}

void Keyweave_DlgComposite::showEvent(QShowEvent* event) {
    CBaseDialog::showEvent(event);
    // The grab needs a mapped window; the key that opened the editor has
    // already gone by the time it is shown, so it is never captured.
    setCapture(wantsKeys());
}

bool Keyweave_DlgComposite::eventFilter(QObject* watched, QEvent* event) {
    // While capturing, the dialog holds the keyboard grab, so every key event
    // is addressed to it; this filter sees them before the main window's.
    const QEvent::Type type = event->type();
    // A click reaches the field even where the window system keeps the dialog
    // from being the active window (and so from getting focus events).
    if ((type == QEvent::FocusIn || type == QEvent::MouseButtonPress) &&
        watched == Control(kKeyInput) && captureDone_) {
        captureDone_ = false;
        setCapture(wantsKeys() && isVisible());
    }
    if (watched == this && (type == QEvent::KeyPress || type == QEvent::KeyRelease ||
                            type == QEvent::ShortcutOverride)) {
        auto& key = static_cast<QKeyEvent&>(*event);
        if (type == QEvent::ShortcutOverride) {
            // No shortcut fires while keys are being captured.
            key.accept();
            return false;
        }
        return onKeyEvent(key);
    }
    return CBaseDialog::eventFilter(watched, event);
}

bool Keyweave_DlgComposite::onKeyEvent(const QKeyEvent& event) {
    const std::optional<KeyStroke> stroke = KeyStrokeOfKeyEvent(event);
    if (!stroke) {
        // A key without a scan code is nothing to capture; it does nothing else either.
        return true;
    }
    if (model_.recording()) {
        return macroTab_->RecordKey(*stroke);
    }
    const CaptureDecision decision = model_.KeyEvent(*stroke);
    if (decision.take) {
        showKeyName();
        updateApply();
        if (!stroke->isRelease()) {
            takenCode_ = stroke->code;
        }
    }
    if (stroke->isRelease() && takenCode_ == stroke->code) {
        finishCapture();
    }
    return decision.swallow;
}

void Keyweave_DlgComposite::keyPressEvent(QKeyEvent* event) {
    // Neither Enter nor Escape closes the editor.
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        event->accept();
        return;
    }
    CBaseDialog::keyPressEvent(event);
}

void Keyweave_DlgComposite::closeEvent(QCloseEvent* event) {
    // The window system's close is Cancel.
    CBaseDialog::closeEvent(event);
}

void Keyweave_DlgComposite::done(int result) {
    if (closing_) {
        return;
    }
    closing_ = true;
    setCapture(false);
    model_.Close();
    CBaseDialog::done(result);
}

} // namespace kw::gui
