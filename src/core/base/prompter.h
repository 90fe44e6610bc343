#pragma once
// How core objects ask the user something. The GUI answers with message
// boxes, tests and the CLI with scripted answers. Texts arrive already looked
// up in the language file (UTF-8).

#include <string>

namespace kw {

class Prompter {
public:
    virtual ~Prompter() = default;
    // A Yes/No question whose default is No; true for Yes.
    virtual bool askYesNo(const std::string& text) = 0;
    // A message with a single OK.
    virtual void showMessage(const std::string& text) = 0;
};

} // namespace kw
