#pragma once
// Accessible names and states of the lighting group's controls, which are
// pictures and colour swatches: each is named by the caption beside it and
// what its picture or colour says, in the current language.

#include <QWidget>
#include <functional>

namespace kw {
class Language;
struct LightingControls;
} // namespace kw

namespace kw::gui {

// `control` gives the group's widget of an id (null for none). Called after
// every change of what the controls show, which includes a language change.
void DescribeLightingControls(const LightingControls& controls, const Language& language,
                              const std::function<QWidget*(int controlId)>& control);

} // namespace kw::gui
