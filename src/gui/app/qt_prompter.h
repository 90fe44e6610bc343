#pragma once
// The core's questions and messages as message boxes without an owner
// window (the main window is often hidden). Questions default to No.

#include "core/base/prompter.h"

#include <string>

namespace kw::app {

class QtPrompter : public Prompter {
public:
    bool askYesNo(const std::string& text) override;
    // OK only, empty caption.
    void showMessage(const std::string& text) override;
    // OK and Cancel with a caption; true for OK.
    virtual bool askOkCancel(const std::string& text, const std::string& caption);
    // A message with OK and a button captioned `copyCaption` that puts
    // `copyText` on the clipboard and leaves the message open.
    virtual void showMessageWithCopy(const std::string& text, const std::string& copyText,
                                     const std::string& copyCaption);
};

} // namespace kw::app
