#pragma once
// What assistive technology learns about the skinned controls, which are
// pictures to everyone else: a picture button is a button named by its
// caption or, failing that, its tooltip, and reports its checked state when
// it is a toggle; a bitmap slider is a slider with its value and range.

namespace kw::gui {

// Idempotent; the controls call it when the first of them is created.
void InstallSkinAccessibility();

} // namespace kw::gui
