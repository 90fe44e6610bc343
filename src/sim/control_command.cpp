#include "sim/control_command.h"

#include <charconv>
#include <optional>
#include <sstream>
#include <vector>

namespace kw::sim {

namespace {

std::optional<long> number(const std::string& text) {
    std::string_view t = text;
    int base = 10;
    if (t.starts_with("0x") || t.starts_with("0X")) {
        t.remove_prefix(2);
        base = 16;
    }
    long value = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value, base);
    if (ec != std::errc() || end != t.data() + t.size() || t.empty() || value < 0) {
        return std::nullopt;
    }
    return value;
}

} // namespace

bool applyControlLine(SimulatedKeyboard& keyboard, std::string_view line, std::string& error) {
    std::istringstream in{std::string(line)};
    std::vector<std::string> words;
    for (std::string w; in >> w;) {
        words.push_back(w);
    }
    if (words.empty()) {
        return true;
    }
    const std::string& verb = words[0];
    std::vector<long> args;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const auto n = number(words[i]);
        if (!n) {
            error = "not a number: " + words[i];
            return false;
        }
        args.push_back(*n);
    }
    const auto want = [&](std::size_t count) {
        if (args.size() != count) {
            error = verb + " takes " + std::to_string(count) + " number(s)";
            return false;
        }
        return true;
    };
    if (verb == "unplug" && want(0)) {
        keyboard.unplug();
    } else if (verb == "plug" && want(0)) {
        keyboard.plug();
    } else if (verb == "deny" && want(0)) {
        keyboard.setAccessDenied(true);
    } else if (verb == "allow" && want(0)) {
        keyboard.setAccessDenied(false);
    } else if (verb == "event" && want(1)) {
        keyboard.sendEvent(static_cast<std::uint16_t>(args[0]));
    } else if (verb == "drop" && want(1)) {
        keyboard.dropAnswers(static_cast<int>(args[0]));
    } else if (verb == "status" && want(2)) {
        keyboard.answerStatus(static_cast<int>(args[0]), static_cast<std::uint8_t>(args[1]));
    } else if (verb == "delay" && want(1)) {
        keyboard.setAnswerDelay(std::chrono::milliseconds(args[0]));
    } else if (verb == "unplug-after" && want(1)) {
        keyboard.unplugAfterCommands(static_cast<int>(args[0]));
    } else {
        if (error.empty()) {
            error = "unknown command: " + verb;
        }
        return false;
    }
    return true;
}

} // namespace kw::sim
