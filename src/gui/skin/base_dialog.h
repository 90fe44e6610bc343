#pragma once
// A frameless window painted from its skin's background bitmap, shaped by its
// mask bitmap and dragged by a press anywhere on the background.

#include "core/skin/skin_layout.h"

#include <QDialog>
#include <QImage>
#include <filesystem>
#include <functional>
#include <optional>

namespace kw::gui {

class CBaseDialog : public QDialog {
    Q_OBJECT
public:
    // Called when the background or the mask cannot be loaded; the default
    // ends the process at once with exit code 0, as a broken install must not
    // leave half a window behind.
    using FatalExit = std::function<void()>;
    static void ExitProcess();

    CBaseDialog(QWidget* parent, std::filesystem::path skinIniFile,
                FatalExit fatalExit = &CBaseDialog::ExitProcess);

    // Loads the skin file, background and mask, sizes and shapes the window.
    // False when the fatal exit was called (only reachable when it returns).
    // The background is the double-size one on a high-density screen (the
    // window's own ratio unless one is given); size and shape stay those of
    // the 1x skin.
    bool ApplySkin();
    bool ApplySkin(qreal devicePixelRatio);
    // The ratio the skin was applied for: the window's pictures load for it too.
    qreal PictureRatio() const { return pictureRatio_; }

    const skin::SkinLayout& Layout() const { return layout_; }
    const QImage& Background() const { return background_; }
    bool IsBusy() const { return busy_; }
    const std::filesystem::path& SkinIniFile() const { return skinIniFile_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    // Tab follows the controls' places, whatever order they were made in.
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::filesystem::path skinIniFile_;
    FatalExit fatalExit_;
    skin::SkinLayout layout_;
    QImage background_;
    qreal pictureRatio_ = 1.0;
    bool busy_ = false;
    // Only used where the window system cannot move windows itself.
    std::optional<QPoint> dragOffset_;
};

} // namespace kw::gui
