#pragma once
// Opens the key function editor on a selection and returns when it closes.

#include "core/mainwnd/key_click.h"

namespace kw {

class KeyEditorOpener {
public:
    virtual ~KeyEditorOpener() = default;
    // Runs the editor modally for the selected key.
    virtual void openKeyEditor(const EditorSelection& selection) = 0;
    // The editor is showing (a profile switch is refused meanwhile).
    virtual bool keyEditorOpen() const = 0;
};

} // namespace kw
