#pragma once
// The drawn keyboard: the key, G-key, Fn and D buttons of the main window,
// placed from the skin, what a click on each does, their tooltips and
// "assigned" marks, and the flip of the function-key row with its arrows.

#include "core/mainwnd/key_click.h"
#include "core/skin/skin_layout.h"
#include "gui/mainwnd/view_images.h"
#include "gui/skin/png_button.h"

#include <QObject>
#include <QWidget>
#include <functional>
#include <map>
#include <set>
#include <vector>

namespace kw {
struct ConfigImage;
class KeyEditorOpener;
class Language;
class ModifiedFlag;
class SettingsStore;
} // namespace kw

namespace kw::gui {

struct KeyboardViewDependencies {
    const skin::SkinLayout& layout;
    const ViewImages& images;
    const Language& language;
    ConfigImage& config;
    SettingsStore& settings;
    ModifiedFlag& modified;
    KeyEditorOpener& editor;
    // The cached active profile; -1 while unknown (nothing is read from the keyboard here).
    std::function<int()> currentProfile;
    // The lighting view is on: key clicks colour keys through `colourKey`.
    std::function<bool()> lightingView;
    std::function<void(int controlId)> colourKey;
    // The window's own Fn, flip and Win-lock buttons when it already placed
    // them; null (or nullptr answers) makes the view create and place its own.
    std::function<CPngButton*(int controlId)> windowButton;
};

class CKeyboardView : public QObject {
    Q_OBJECT
public:
    // Creates every button as a child of `window`; nothing is placed yet.
    CKeyboardView(QWidget& window, KeyboardViewDependencies dependencies);
    // The buttons stay with the window; they stop calling back into the view.
    ~CKeyboardView() override;

    // Places the buttons from the skin, applies the flip state and fills the tooltips and marks.
    void PlaceKeyButtons();

    // A click on a key-like control, as the dispatch table says.
    void Click(int controlId);
    // Fills the editor selection and runs the editor; -1 for an id that is no key.
    int SelectKey(int controlId);
    const EditorSelection& selection() const { return selection_; }

    void RedrawKeyButtons();
    void ResetKeyFaces();
    void GKeyRefresh();

    int FlipState() const { return flip_; }
    void ToggleFlip();
    void ApplyFlipState();

    void RefreshKeyCaptions();
    void RefreshKeyButtons();
    void ResetKeyCaption(int entryNumber);
    // Gives every drawn key of the current profile its default function. 0
    // while the active profile is unknown (nothing changes), else 1.
    int ClearKeyFunctions();

    // The lighting group, once attached, takes key clicks while its view is on.
    void SetLightingRoute(std::function<bool()> lightingView,
                          std::function<void(int controlId)> colourKey);

    // The window's after-paint callback; the window installs it on the Win-lock indicator too.
    void AfterPaint(CPngButton& button, bool normalDrawn);

    // Null for an id this view does not own.
    CPngButton* button(int controlId) const;
    // The drawn key Tab stops at: the one the keyboard last moved to.
    CPngButton* FocusKey() const { return focusKey_; }

protected:
    // Arrow keys on a drawn key move the focus to the key that way.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CPngButton& add(int controlId);
    void connectClick(CPngButton& button, int controlId);
    void caption(int controlId, int keyIndex);
    void placeArrow(int pictureId, skin::ArrowSide side);
    void restFaces(CPngButton& button);
    // The drawn keys a user can move between: placed, shown and enabled.
    std::vector<CPngButton*> reachableKeys() const;
    void setFocusKey(CPngButton* key);
    // After the flip or the placement: the Tab stop stays on a key that can take it.
    void keepFocusKeyReachable();

    QWidget& window_;
    KeyboardViewDependencies deps_;
    std::map<int, CPngButton*> buttons_;
    std::set<int> borrowed_;  // placed by the window
    std::vector<int> keyIds_; // the drawn keys, in the order they were made
    CPngButton* focusKey_ = nullptr;
    EditorSelection selection_;
    bool leftArrowOn_ = false;
    bool rightArrowOn_ = false;
    int flip_ = 0;
};

} // namespace kw::gui
