#include "gui/mainwnd/keyboard_view.h"

#include "core/base/settings_store.h"
#include "core/config/config_image.h"
#include "core/keys/key_buttons.h"
#include "core/mainwnd/flip_state.h"
#include "core/mainwnd/key_captions.h"
#include "core/mainwnd/key_editor_opener.h"
#include "core/skin/control_order.h"
#include "core/skin/language.h"
#include "core/sync/modified_flag.h"
#include "gui/skin/focus_order.h"
#include "gui/skin/placement.h"

#include <QKeyEvent>
#include <algorithm>
#include <mutex>
#include <optional>

namespace kw::gui {
namespace {

constexpr int kEnterRightBracket = 1055; // drawn over by Enter's L shape
constexpr int kF5Button = 1014;
constexpr int kWinLockIndicator = 1128;

FaceSet facesOf(const ViewImages& images, int normal, int hover, int pressed, int disabled,
                int selected) {
    return {images.image(normal), images.image(hover), images.image(pressed),
            images.image(disabled), images.image(selected)};
}

} // namespace

CKeyboardView::CKeyboardView(QWidget& window, KeyboardViewDependencies dependencies)
    : QObject(&window), window_(window), deps_(std::move(dependencies)) {
    for (int id : GKeyButtonTable()) {
        keyIds_.push_back(id);
    }
    for (const KeyButton& key : KeyButtonTable()) {
        keyIds_.push_back(key.controlId);
    }
    keyIds_.insert(keyIds_.end(), kDKeyButtons.begin(), kDKeyButtons.end());
    for (int id : keyIds_) {
        // One Tab stop for the whole keyboard; arrows move within it.
        CPngButton& key = add(id);
        key.setFocusPolicy(Qt::NoFocus);
        key.installEventFilter(this);
    }
    add(kHiddenEnterButton).setFocusPolicy(Qt::NoFocus);
    for (int id : {kFnButton, kFlip0Button, kFlip1Button, kFlip2Button, kWinLockIndicator}) {
        CPngButton* own = deps_.windowButton ? deps_.windowButton(id) : nullptr;
        if (own) {
            own->setProperty("controlId", id);
            connectClick(*own, id);
            buttons_[id] = own;
            borrowed_.insert(id);
        } else if (id != kWinLockIndicator) {
            add(id);
        }
    }
    for (int id : {kLeftArrowPicture, kRightArrowPicture}) {
        CPngButton& arrow = add(id);
        arrow.setAttribute(Qt::WA_TransparentForMouseEvents);
        arrow.SetDecorative();
    }
    for (int id : {kFlip0Button, kFlip1Button, kFlip2Button, kEnterButton, kWinLockIndicator}) {
        if (!buttons_.contains(id)) {
            continue;
        }
        buttons_[id]->SetAfterPaint(
            [this](CPngButton& button, bool normalDrawn) { AfterPaint(button, normalDrawn); });
    }
}

CKeyboardView::~CKeyboardView() {
    for (const auto& [id, button] : buttons_) {
        button->SetAfterPaint(nullptr);
    }
}

CPngButton& CKeyboardView::add(int controlId) {
    auto* button = new CPngButton(&window_);
    button->setObjectName(QStringLiteral("key%1").arg(controlId));
    button->setProperty("controlId", controlId);
    // Disabled until the skin places it: an unplaced control never shows.
    button->setEnabled(false);
    button->hide();
    connectClick(*button, controlId);
    buttons_[controlId] = button;
    return *button;
}

void CKeyboardView::connectClick(CPngButton& button, int controlId) {
    connect(&button, &QAbstractButton::clicked, this, [this, controlId] {
        if (controlId == kFlip1Button || controlId == kFlip2Button) {
            ToggleFlip();
        } else if (controlId != kFlip0Button && controlId != kWinLockIndicator) {
            Click(controlId);
        }
    });
}

CPngButton* CKeyboardView::button(int controlId) const {
    const auto found = buttons_.find(controlId);
    return found == buttons_.end() ? nullptr : found->second;
}

void CKeyboardView::PlaceKeyButtons() {
    const FaceSet keyFaces = facesOf(deps_.images, 1, 2, 3, 1, 4);
    const auto place = [&](int id, std::string_view key) {
        if (borrowed_.contains(id)) {
            return;
        }
        CPngButton& b = *buttons_.at(id);
        b.setEnabled(true);
        PlaceImageButton(b, deps_.layout, skin::kButtonSection, key, keyFaces);
        b.setVisible(b.isEnabled());
    };
    for (int ordinal = 0; ordinal < kGKeyCount; ++ordinal) {
        place(GKeyButtonTable()[static_cast<std::size_t>(ordinal)], GKeyButtonSkinKey(ordinal));
    }
    for (int row = 0; row < kKeyButtonCount; ++row) {
        place(KeyButtonTable()[static_cast<std::size_t>(row)].controlId, KeyButtonSkinKey(row));
    }
    for (std::size_t i = 0; i < kDKeyButtons.size(); ++i) {
        place(kDKeyButtons[i], "FUNC_D" + std::to_string(i + 1));
    }
    place(kFnButton, "KEY_FN");
    place(kFlip0Button, "FLIP_0");
    place(kFlip1Button, "FLIP_1");
    place(kFlip2Button, "FLIP_2");
    ApplyFlipState();
    RefreshKeyButtons();
    keepFocusKeyReachable();
}

std::vector<CPngButton*> CKeyboardView::reachableKeys() const {
    std::vector<CPngButton*> keys;
    for (int id : keyIds_) {
        CPngButton* key = buttons_.at(id);
        if (key->isEnabled() && !key->isHidden()) {
            keys.push_back(key);
        }
    }
    return keys;
}

void CKeyboardView::setFocusKey(CPngButton* key) {
    if (focusKey_ == key) {
        return;
    }
    if (focusKey_) {
        focusKey_->setFocusPolicy(Qt::NoFocus);
    }
    focusKey_ = key;
    if (focusKey_) {
        focusKey_->setFocusPolicy(Qt::TabFocus);
    }
    // The new stop takes its place among the window's controls.
    ApplyReadingTabOrder(window_);
}

void CKeyboardView::keepFocusKeyReachable() {
    const auto keys = reachableKeys();
    if (std::find(keys.begin(), keys.end(), focusKey_) != keys.end()) {
        return;
    }
    const bool hadFocus = focusKey_ && focusKey_->hasFocus();
    setFocusKey(keys.empty() ? nullptr : keys.front());
    if (hadFocus && focusKey_) {
        focusKey_->setFocus(Qt::OtherFocusReason);
    }
}

bool CKeyboardView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QObject::eventFilter(watched, event);
    }
    std::optional<skin::Direction> direction;
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Left:
        direction = skin::Direction::Left;
        break;
    case Qt::Key_Right:
        direction = skin::Direction::Right;
        break;
    case Qt::Key_Up:
        direction = skin::Direction::Up;
        break;
    case Qt::Key_Down:
        direction = skin::Direction::Down;
        break;
    default:
        return QObject::eventFilter(watched, event);
    }
    const auto keys = reachableKeys();
    const auto from = std::find(keys.begin(), keys.end(), watched);
    if (from == keys.end()) {
        return true;
    }
    std::vector<skin::SkinRect> rects;
    rects.reserve(keys.size());
    for (const CPngButton* key : keys) {
        const QRect g = key->geometry();
        rects.push_back({g.x(), g.y(), g.width(), g.height()});
    }
    const int to = skin::NeighbourInDirection(rects, static_cast<std::size_t>(from - keys.begin()),
                                              *direction);
    if (to >= 0) {
        CPngButton* key = keys[static_cast<std::size_t>(to)];
        setFocusKey(key);
        key->setFocus(Qt::OtherFocusReason);
    }
    return true;
}

void CKeyboardView::Click(int controlId) {
    switch (KeyClickActionOf(controlId, deps_.lightingView && deps_.lightingView())) {
    case KeyClickAction::ColourKey:
        if (deps_.colourKey) {
            deps_.colourKey(ClickedKeyButton(controlId));
        }
        break;
    case KeyClickAction::SelectKey:
        SelectKey(controlId);
        break;
    case KeyClickAction::Nothing:
        break;
    }
}

void CKeyboardView::SetLightingRoute(std::function<bool()> lightingView,
                                     std::function<void(int controlId)> colourKey) {
    deps_.lightingView = std::move(lightingView);
    deps_.colourKey = std::move(colourKey);
}

int CKeyboardView::SelectKey(int controlId) {
    const auto selection = EditorSelectionOf(controlId);
    if (!selection) {
        return -1;
    }
    selection_ = *selection;
    CPngButton* edited = button(static_cast<int>(selection_.controlId));
    if (edited) {
        // Resting in the hover face keeps the key highlighted while the editor is open.
        const FaceSet f = facesOf(deps_.images, 2, 2, 3, 1, 2);
        edited->SetFaceSources(f.normal, f.hover, f.pressed, f.disabled, f.selected);
    }
    deps_.editor.openKeyEditor(selection_);
    if (edited) {
        restFaces(*edited);
    }
    RefreshKeyCaptions();
    return 1;
}

void CKeyboardView::restFaces(CPngButton& b) {
    const FaceSet f = facesOf(deps_.images, 1, 2, 3, 1, 4);
    b.SetFaceSources(f.normal, f.hover, f.pressed, f.disabled, f.selected);
}

void CKeyboardView::RedrawKeyButtons() {
    const auto redraw = [this](int id) {
        CPngButton& b = *buttons_.at(id);
        b.SetMarkFaces(QImage(), QImage(), false, false, true);
    };
    for (int id : GKeyButtonTable()) {
        redraw(id);
    }
    for (const KeyButton& key : KeyButtonTable()) {
        redraw(key.controlId);
    }
}

void CKeyboardView::ResetKeyFaces() {
    const auto reset = [this](int id) {
        CPngButton& b = *buttons_.at(id);
        b.SetColourMark(QColor(0, 0, 0), 50, false);
        b.SetSelected(false, true);
    };
    for (int id : GKeyButtonTable()) {
        reset(id);
    }
    for (const KeyButton& key : KeyButtonTable()) {
        reset(key.controlId);
    }
    reset(kFnButton);
}

void CKeyboardView::GKeyRefresh() {
    std::lock_guard guard(deps_.config.lock);
    const int profile = deps_.currentProfile();
    for (int ordinal = 0; ordinal < kGKeyCount; ++ordinal) {
        const KeyEntry entry = ShownKeyEntry(deps_.config, profile, kFirstGKeyIndex + ordinal);
        buttons_.at(GKeyButtonTable()[static_cast<std::size_t>(ordinal)])
            ->SetSelected(entry.type != KeyEntryType::KeyDefault, true);
    }
}

void CKeyboardView::ToggleFlip() {
    ToggleFlipState(deps_.settings);
    ApplyFlipState();
}

void CKeyboardView::ApplyFlipState() {
    flip_ = ReadFlipState(deps_.settings);
    const bool dKeys = flip_ == 1;
    // Only keys the skin placed may come alive; an unplaced one stays hidden.
    const auto enable = [this](int id, bool on) {
        CPngButton& b = *buttons_.at(id);
        const bool placed = b.FaceOffset() != QPoint(1, 1);
        b.setEnabled(on && placed);
    };
    for (int id : kFKeyButtons) {
        enable(id, !dKeys);
    }
    for (int id : kDKeyButtons) {
        enable(id, dKeys);
    }
    const FaceSet f =
        dKeys ? facesOf(deps_.images, 5, 5, 5, 5, 4) : facesOf(deps_.images, 1, 1, 1, 1, 4);
    buttons_.at(kFlip0Button)->SetFaceSources(f.normal, f.hover, f.pressed, f.disabled, f.selected);
    keepFocusKeyReachable();
}

void CKeyboardView::caption(int controlId, int keyIndex) {
    CPngButton& b = *buttons_.at(controlId);
    const KeyEntry entry = ShownKeyEntry(deps_.config, deps_.currentProfile(), keyIndex);
    const int ordinal = GKeyOrdinalOf(controlId);
    const KeyCaption text =
        ordinal >= 0
            ? GKeyCaptionOf(ordinal, entry, deps_.config, deps_.language)
            : KeyCaptionOf(KeyCodeOfButton(controlId), entry, deps_.config, deps_.language);
    b.SetSelected(text.marked, true);
    b.SetTooltip(QString::fromStdString(text.tooltip), true);
}

void CKeyboardView::RefreshKeyCaptions() {
    for (int ordinal = 0; ordinal < kGKeyCount; ++ordinal) {
        caption(GKeyButtonTable()[static_cast<std::size_t>(ordinal)], kFirstGKeyIndex + ordinal);
    }
    for (const KeyButton& key : KeyButtonTable()) {
        caption(key.controlId, KeyIndexOf(key.code));
    }
    // The keys without an entry of their own are named as they are labelled.
    for (std::size_t i = 0; i < kDKeyButtons.size(); ++i) {
        buttons_.at(kDKeyButtons[i])->setAccessibleName(QStringLiteral("D%1").arg(i + 1));
    }
    buttons_.at(kFnButton)->setAccessibleName(
        QString::fromStdString(deps_.language.text("ACCESS_FN_KEY")));
    // The strip's middle only shows which row is up; the arrows beside it switch it.
    buttons_.at(kFlip0Button)->SetDecorative();
    for (int id : {kFlip1Button, kFlip2Button}) {
        buttons_.at(id)->SetTooltip(QString::fromStdString(deps_.language.text("ACCESS_FLIP")),
                                    true);
    }
}

void CKeyboardView::RefreshKeyButtons() {
    RefreshKeyCaptions();
    ApplyFlipState();
}

void CKeyboardView::ResetKeyCaption(int entryNumber) {
    const auto zero = [this](int id) {
        CPngButton& b = *buttons_.at(id);
        const int ordinal = GKeyOrdinalOf(id);
        const KeyCaption text =
            ordinal >= 0 ? GKeyCaptionOf(ordinal, {}, deps_.config, deps_.language)
                         : KeyCaptionOf(KeyCodeOfButton(id), {}, deps_.config, deps_.language);
        b.SetSelected(false, true);
        b.SetTooltip(QString::fromStdString(text.tooltip), true);
    };
    const int g = entryNumber - kFirstGKeyIndex;
    if (g >= 0 && g < kGKeyCount) {
        zero(GKeyButtonTable()[static_cast<std::size_t>(g)]);
        return;
    }
    for (const KeyButton& key : KeyButtonTable()) {
        if (KeyIndexOf(key.code) == entryNumber) {
            zero(key.controlId);
            return;
        }
    }
}

int CKeyboardView::ClearKeyFunctions() {
    if (kw::ClearKeyFunctions(deps_.config, deps_.currentProfile()) != 1) {
        return 0;
    }
    RefreshKeyButtons();
    deps_.modified.set();
    return 1;
}

void CKeyboardView::placeArrow(int pictureId, skin::ArrowSide side) {
    PlaceFrameButton(*buttons_.at(pictureId), deps_.layout, skin::arrowPositionKey(side),
                     skin::kFrameSection, skin::arrowFrameKey(side, FlipState() == 1),
                     deps_.images.image(9));
    buttons_.at(pictureId)->show();
}

void CKeyboardView::AfterPaint(CPngButton& painted, bool normalDrawn) {
    const int id = painted.property("controlId").toInt();
    const auto redraw = [this](int controlId) {
        if (CPngButton* b = button(controlId)) {
            b->update();
        }
    };
    switch (id) {
    case kWinLockIndicator:
        for (int g : GKeyButtonTable()) {
            redraw(g);
        }
        break;
    case kEnterButton:
        redraw(kEnterRightBracket);
        break;
    case kFlip0Button:
        for (int key : FlipState() == 1
                           ? std::vector<int>(kDKeyButtons.begin(), kDKeyButtons.end())
                           : std::vector<int>(kFKeyButtons.begin(), kFKeyButtons.end())) {
            redraw(key);
        }
        redraw(kF5Button);
        redraw(kFlip1Button);
        redraw(kFlip2Button);
        break;
    case kFlip1Button:
        leftArrowOn_ = normalDrawn;
        if (leftArrowOn_) {
            placeArrow(kLeftArrowPicture, skin::ArrowSide::Left);
        }
        break;
    case kFlip2Button:
        rightArrowOn_ = normalDrawn;
        if (rightArrowOn_) {
            placeArrow(kRightArrowPicture, skin::ArrowSide::Right);
        }
        break;
    default:
        break;
    }
}

} // namespace kw::gui
