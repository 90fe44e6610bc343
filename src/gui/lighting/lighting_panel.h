#pragma once
// The lighting group of the main window as widgets: it creates and places
// the controls from the skin, hands every user action to the lighting
// presenter and redraws what the presenter describes, including the colour
// marks the preview and the user mode give the key buttons.

#include "core/lighting/lighting_presenter.h"
#include "core/lighting/lighting_view.h"
#include "core/skin/skin_layout.h"
#include "gui/skin/bitmap_slider.h"
#include "gui/skin/png_button.h"
#include "gui/skin/skin_color_btn.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QObject>
#include <QWidget>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace kw {
class Language;
}

namespace kw::gui {

struct LightingPanelDependencies {
    QWidget& window;
    const skin::SkinLayout& layout;
    const Language& language;
    LightingPresenter& presenter;
    // The drawn keyboard's button of a key id; null for an id it does not have.
    std::function<CPngButton*(int buttonId)> keyButton;
    // Every key button back to its normal face and its text from the configuration.
    std::function<void()> resetKeyFaces;
    // The window's own widgets (the red, green and blue value edits); may be empty.
    std::function<QWidget*(int controlId)> windowWidget;
    // Tells the window about a control it may look up by id; may be empty.
    std::function<void(int controlId, QWidget* widget)> registerWidget;
    // After the controls show the presenter's state (the view may have come on); may be empty.
    std::function<void()> controlsShown;
};

class CLightingPanel : public QObject, public LightingView {
    Q_OBJECT
public:
    // Creates, places and connects every control as a child of the window
    // and listens to the presenter until destroyed.
    explicit CLightingPanel(LightingPanelDependencies dependencies);
    ~CLightingPanel() override;

    // The captions and the selector's effect names in the current language.
    void LanguageChanged();

    // Null for an id the panel does not own.
    QWidget* control(int controlId) const;

    void controlsChanged() override;
    void keyFacesReset() override;
    void keyMarksChanged(std::span<const KeyMark> marks) override;
    void previewFrame(const PreviewFrame& frame) override;

private:
    template <typename Widget>
    Widget& add(int controlId, Widget* widget, std::string_view skinKey);
    CPngButton& addPicture(int controlId, std::string_view skinKey);
    CSkinColorBtn& addColourButton(int controlId, std::string_view skinKey);
    void addCaptions();
    void connectValueEdits();
    const QImage& picture(const std::string& file);
    void showPicture(int controlId, const std::string& file);
    // The button whose face changed (drawn at once when `redraw`), else null.
    CPngButton* setKeyFace(int buttonId, const KeyFace& face, bool redraw = true);
    void fillCombo(QComboBox& combo, const auto& texts, int row);

    LightingPanelDependencies deps_;
    std::map<int, QWidget*> controls_;
    std::map<std::string, QImage> pictures_;
    // The faces last drawn on the key buttons, so a preview step repaints only what changed.
    std::map<int, KeyFace> drawnFaces_;
    QComboBox* effects_ = nullptr;
    QComboBox* userModes_ = nullptr;
    CBitmapSlider* brightness_ = nullptr;
    CBitmapSlider* speed_ = nullptr;
};

} // namespace kw::gui
