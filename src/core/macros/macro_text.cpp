#include "core/macros/macro_text.h"

#include "core/base/text.h"
#include "core/keys/key_name_lookup.h"
#include "core/keys/key_table.h"
#include "core/macros/decimal_text.h"
#include "core/macros/macro_working_set.h"

#include <array>
#include <cstdio>
#include <optional>
#include <utility>

namespace kw {

namespace {

struct ArrowName {
    std::string_view name;
    KeyCode code;
};

// The arrows' own names are arrows; these are what a script can type back.
constexpr std::array kArrowNames = {ArrowName{"Up", 0x148}, ArrowName{"Down", 0x150},
                                    ArrowName{"Left", 0x14B}, ArrowName{"Right", 0x14D}};

// The most words a key name has ("Middle Button", "Page Up").
constexpr std::size_t kMaxNameWords = 2;

std::optional<KeyCode> codeOfHexName(std::string_view name) {
    if (name.size() < 3 || name[0] != '0' || (name[1] != 'x' && name[1] != 'X')) {
        return std::nullopt;
    }
    unsigned value = 0;
    for (const char c : name.substr(2)) {
        const int digit = (c >= '0' && c <= '9')   ? c - '0'
                          : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                          : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                                   : -1;
        if (digit < 0 || value > 0xFFFF) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<unsigned>(digit);
    }
    if (value == 0 || value > 0xFFFF) {
        return std::nullopt;
    }
    const auto code = static_cast<KeyCode>(value);
    const KeyRow* row = KeyRowOf(code);
    // Only a code that is its row's own code (0x1A0 folds onto the row of D).
    if (row == nullptr || row->englishName.empty() || KeyCodeOfIndex(KeyIndexOf(code)) != code) {
        return std::nullopt;
    }
    return code;
}

bool isDirection(std::string_view word, std::uint16_t& isRelease) {
    if (equalsIgnoreCase(word, "down")) {
        isRelease = 0;
        return true;
    }
    if (equalsIgnoreCase(word, "up")) {
        isRelease = 1;
        return true;
    }
    return false;
}

// Words split at blanks; every comma is a word of its own.
std::vector<std::string> words(std::string_view text) {
    std::vector<std::string> out;
    std::string current;
    const auto flush = [&] {
        if (!current.empty()) {
            out.push_back(std::move(current));
            current.clear();
        }
    };
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            flush();
        } else if (c == ',') {
            flush();
            out.emplace_back(",");
        } else {
            current += c;
        }
    }
    flush();
    return out;
}

std::string joined(const std::vector<std::string>& w, std::size_t from, std::size_t to) {
    std::string out;
    for (std::size_t i = from; i < to; ++i) {
        out += (i == from ? "" : " ") + w[i];
    }
    return out;
}

std::string actionError(std::size_t number, std::string_view what) {
    return "action " + std::to_string(number) + ": " + std::string(what);
}

} // namespace

KeyCode KeyCodeOfActionName(std::string_view name) {
    if (const KeyCode code = KeyCodeOfListName(name); code != kNoKey) {
        return code;
    }
    return codeOfHexName(name).value_or(kNoKey);
}

std::string ActionNameOf(KeyCode code) {
    for (const ArrowName& a : kArrowNames) {
        if (a.code == code) {
            return std::string(a.name);
        }
    }
    if (const KeyRow* row = KeyRowOf(code);
        row != nullptr && KeyCodeOfActionName(row->englishName) == code) {
        return std::string(row->englishName);
    }
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%03X", static_cast<unsigned>(code));
    return hex;
}

ParsedMacroActions ParseMacroActions(std::string_view text) {
    ParsedMacroActions out;
    const std::vector<std::string> w = words(text);
    std::size_t i = 0;
    while (i < w.size()) {
        const std::size_t number = out.actions.size() + 1;
        if (out.actions.size() == kMacroActionsMax) {
            out.error = "more than " + std::to_string(kMacroActionsMax) + " actions";
            return out;
        }
        // The key is the fewest words that name a key and are followed by down or up.
        MacroAction action;
        std::size_t nameWords = 0;
        for (std::size_t k = 1; k <= kMaxNameWords && i + k < w.size(); ++k) {
            if (isDirection(w[i + k], action.isRelease) &&
                (action.keyCode = KeyCodeOfActionName(joined(w, i, i + k))) != kNoKey) {
                nameWords = k;
                break;
            }
        }
        if (nameWords == 0) {
            std::size_t end = i + 1;
            std::uint16_t ignored = 0;
            while (end < w.size() && w[end] != "," && !isDirection(w[end], ignored)) {
                ++end;
            }
            const std::string name = joined(w, i, end);
            out.error = end < w.size() && w[end] != ","
                            ? actionError(number, "unknown key name \"" + name + "\"")
                            : actionError(number, "\"" + name + "\" needs down or up after it");
            return out;
        }
        i += nameWords + 1;
        if (i < w.size() && w[i] != ",") {
            const std::optional<long long> pause = ParseDecimal(w[i]);
            if (!pause) {
                out.error = actionError(number, "\"" + w[i] + "\" is not a pause in ms");
                return out;
            }
            if (*pause < 0 || *pause > kTypedDelayMaxMs || *pause % kTypedDelayStepMs != 0) {
                out.error = actionError(number, "a pause of " + w[i] +
                                                    " ms is not one of 0..40000 "
                                                    "in steps of 10");
                return out;
            }
            action.delayMs = static_cast<std::uint32_t>(*pause);
            ++i;
        }
        out.actions.push_back(action);
        if (i < w.size()) {
            if (w[i] != ",") {
                out.error = actionError(number, "expected a comma before \"" + w[i] + "\"");
                return out;
            }
            if (++i == w.size()) {
                out.error = actionError(number, "nothing follows the last comma");
                return out;
            }
        }
    }
    return out;
}

std::string FormatMacroActions(std::span<const MacroAction> actions) {
    std::string out;
    for (const MacroAction& a : actions) {
        if (!out.empty()) {
            out += ", ";
        }
        out += ActionNameOf(a.keyCode) + (a.isRelease == 1 ? " up " : " down ") +
               std::to_string(a.delayMs);
    }
    return out;
}

} // namespace kw
