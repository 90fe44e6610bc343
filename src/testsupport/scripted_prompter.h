#pragma once
// A user who answers the program's questions from a script (No when the script
// runs out) and whose questions and messages the test can read afterwards.

#include "core/base/prompter.h"

#include <deque>
#include <string>
#include <vector>

namespace kw::testing {

class ScriptedPrompter : public Prompter {
public:
    bool askYesNo(const std::string& text) override {
        questions.push_back(text);
        if (answers.empty()) {
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void showMessage(const std::string& text) override { messages.push_back(text); }

    std::deque<bool> answers;
    std::vector<std::string> questions;
    std::vector<std::string> messages;
};

} // namespace kw::testing
