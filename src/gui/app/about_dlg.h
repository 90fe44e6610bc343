#pragma once
// The about window: two lines of text, the web link and OK. One object for
// the whole process, shown modeless; while it is open a second opening only
// brings it forward.

#include "core/skin/language.h"
#include "gui/app/hyper_link.h"
#include "gui/app/shell_actions.h"
#include "gui/skin/color_static.h"

#include <QDialog>
#include <QPushButton>
#include <filesystem>

namespace kw::app {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    CAboutDlg(const Language& language, ShellActions& shell, std::filesystem::path helpFolder,
              QString link);

    // False when it was already open (it is then only raised).
    bool Open();
    // Closes it when open (quit sequence, keyboard removal).
    void CloseFromOutside();
    bool IsOpen() const { return open_; }
    void LanguageChanged(int languageIndex);

    const gui::ColorStatic& FirstLine() const { return *firstLine_; }
    const gui::ColorStatic& SecondLine() const { return *secondLine_; }
    const CHyperLink& Link() const { return *link_; }
    const QPushButton& OkButton() const { return *ok_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;

private:
    const Language& language_;
    ShellActions& shell_;
    std::filesystem::path helpFolder_;
    gui::ColorStatic* firstLine_;
    gui::ColorStatic* secondLine_;
    CHyperLink* link_;
    QPushButton* ok_;
    bool open_ = false;
};

} // namespace kw::app
