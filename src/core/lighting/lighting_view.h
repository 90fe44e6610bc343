#pragma once
// What the window hears from the lighting presenter. The callbacks are
// coarse: the window re-reads the presenter's control description or paints
// the key buttons it is handed.

#include "core/lighting/preview_frame.h"
#include "core/lighting/rgb.h"

#include <span>

namespace kw {

// One key button's colour mark.
struct KeyMark {
    int buttonId = 0;
    Rgb colour{};

    friend bool operator==(const KeyMark&, const KeyMark&) = default;
};

class LightingView {
public:
    virtual ~LightingView() = default;

    // Something the lighting controls show changed; read LightingPresenter::controls().
    virtual void controlsChanged() = 0;
    // Every key button back to its normal face (no colour mark, not selected),
    // its text again from the configuration.
    virtual void keyFacesReset() = 0;
    // The user mode's colours: every listed key button takes its colour mark.
    virtual void keyMarksChanged(std::span<const KeyMark> marks) = 0;
    // One preview step: the faces of the key buttons by KeyChain index.
    virtual void previewFrame(const PreviewFrame& frame) = 0;
};

} // namespace kw
