#pragma once
// The main window's lighting group as one piece: the lighting and user-mode
// models on the window's transport, the preview, the presenter and its
// widgets. Kept free of Qt headers, which define a name the lighting model uses.

#include <filesystem>
#include <functional>
#include <memory>

class QWidget;

namespace kw {
class Language;
class LightingPresenter;
class Transport;
namespace skin {
class SkinLayout;
}
} // namespace kw

namespace kw::gui {

class CLightingPanel;
class CPngButton;

struct LightingGroupDependencies {
    QWidget& window;
    const skin::SkinLayout& layout;
    const Language& language;
    Transport& transport;
    // The user data home: its data folder holds "wskb.ini" and the user lighting files.
    std::filesystem::path dataHome;
    // Holds the default user lighting file under "Skins".
    std::filesystem::path programFolder;
    // Selects the keyboard's current profile before the view switches on; 0: refused.
    std::function<int()> selectProfile;
    std::function<CPngButton*(int buttonId)> keyButton;
    std::function<void()> resetKeyFaces;
    std::function<QWidget*(int controlId)> windowWidget;
    std::function<void(int controlId, QWidget* widget)> registerWidget;
    // After each change of the controls (the view may have come on); may be empty.
    std::function<void()> controlsShown;
};

class CLightingGroup {
public:
    explicit CLightingGroup(LightingGroupDependencies dependencies);
    ~CLightingGroup();

    LightingPresenter& Presenter();
    CLightingPanel& Panel();
    // The panel's control of `controlId`; null for one it does not own.
    QWidget* Control(int controlId);
    // The profile the group works on, without reading the keyboard (the
    // caller reads when it needs to).
    void SetProfile(int profile);
    // Captions and effect names in the current language.
    void LanguageChanged();

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

} // namespace kw::gui
