#include "gui/keyeditor/key_stroke_of_event.h"

namespace kw::gui {

std::optional<KeyStroke> KeyStrokeOfKeyEvent(const QKeyEvent& event) {
    if (event.type() != QEvent::KeyPress && event.type() != QEvent::KeyRelease) {
        return std::nullopt;
    }
    const std::optional<std::uint32_t> evdevCode = EvdevCodeOfXkbKeycode(event.nativeScanCode());
    if (!evdevCode) {
        return std::nullopt;
    }
    // X11 reports a held key as release/press pairs, both marked as repeats.
    const KeyEventKind kind = event.isAutoRepeat()                 ? KeyEventKind::AutoRepeat
                              : event.type() == QEvent::KeyRelease ? KeyEventKind::Release
                                                                   : KeyEventKind::Press;
    return KeyStrokeOfEvdevEvent(*evdevCode, kind);
}

} // namespace kw::gui
