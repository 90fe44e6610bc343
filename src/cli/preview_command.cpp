#include "cli/command_functions.h"
#include "core/keys/key_buttons.h"
#include "core/lighting/preview_engine.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

namespace kw::cli {

namespace {

// More ticks than anyone reads; keeps a typo from printing for minutes.
constexpr long kMaxTicks = 100000;
// The window's preview timer: 100 ms to the first tick, 50 ms after that.
constexpr std::int64_t kFirstTickMs = 100;
constexpr std::int64_t kTickPeriodMs = 50;

struct PreviewOptions {
    LightingState state;
    long ticks = 0;
    bool json = false;
};

bool parseNumber(const std::string& text, long& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc{} && ptr == end;
}

bool parseColour(const std::string& text, Colorref& colour) {
    if (text.size() != 7 || text[0] != '#' ||
        !std::all_of(text.begin() + 1, text.end(),
                     [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); })) {
        return false;
    }
    unsigned long rgb = 0;
    std::from_chars(text.data() + 1, text.data() + text.size(), rgb, 16);
    colour = colorrefOf(Rgb{static_cast<std::uint8_t>(rgb >> 16),
                            static_cast<std::uint8_t>(rgb >> 8), static_cast<std::uint8_t>(rgb)});
    return true;
}

// An empty string when the arguments are good, else what is wrong with them.
std::string parseOptions(std::span<const std::string> args, PreviewOptions& options) {
    options.state.lightingView = true;
    options.state.colour = 0xFFFFFF;
    bool haveEffect = false;
    bool haveTicks = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string* {
            return i + 1 < args.size() ? &args[++i] : nullptr;
        };
        if (a == "--multicolour") {
            options.state.multicolour = true;
        } else if (a == "--json") {
            options.json = true;
        } else if (a == "--effect") {
            const std::string* v = value();
            long code = 0;
            if (!v || !parseNumber(*v, code) || code < 0 || code > 255) {
                return "--effect needs an effect code 0..255";
            }
            options.state.effect = static_cast<std::uint8_t>(code);
            haveEffect = true;
        } else if (a == "--direction") {
            const std::string* v = value();
            if (v && *v == "first") {
                options.state.direction = kDirectionFirst;
            } else if (v && *v == "second") {
                options.state.direction = kDirectionSecond;
            } else {
                return "--direction needs first or second";
            }
        } else if (a == "--colour") {
            const std::string* v = value();
            if (!v || !parseColour(*v, options.state.colour)) {
                return "--colour needs a colour as '#RRGGBB' (quoted in the shell)";
            }
        } else if (a == "--ticks") {
            const std::string* v = value();
            if (!v || !parseNumber(*v, options.ticks) || options.ticks < 1 ||
                options.ticks > kMaxTicks) {
                return "--ticks needs a number 1.." + std::to_string(kMaxTicks);
            }
            haveTicks = true;
        } else {
            return "unknown argument " + a;
        }
    }
    if (!haveEffect || !haveTicks) {
        return "needs --effect N and --ticks T";
    }
    return {};
}

// Every key button the preview may colour or clear, by control id.
std::vector<int> keyButtonIds() {
    std::vector<int> ids(GKeyButtonTable().begin(), GKeyButtonTable().end());
    for (const KeyButton& button : KeyButtonTable()) {
        ids.push_back(button.controlId);
    }
    ids.push_back(kFnButton);
    std::sort(ids.begin(), ids.end());
    return ids;
}

std::string faceText(const KeyFace& face) {
    if (!face.marked) {
        return "normal";
    }
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", face.colour.red, face.colour.green,
                  face.colour.blue);
    return text;
}

} // namespace

int runPreview(Context& context, std::span<const std::string> args) {
    PreviewOptions options;
    if (std::string problem = parseOptions(args, options); !problem.empty()) {
        return fail(context, kExitUsage, "preview: " + problem);
    }

    // Time runs as the window's timer would run it, from second 0, so that
    // the random colours are the same on every run.
    std::int64_t elapsedMs = kFirstTickMs;
    PreviewEngine engine([&elapsedMs] { return elapsedMs / 1000; }, std::make_unique<LcgRandom>());
    const std::vector<int> ids = keyButtonIds();

    nlohmann::json ticks = nlohmann::json::array();
    for (long t = 1; t <= options.ticks; ++t, elapsedMs += kTickPeriodMs) {
        engine.PreviewTick(options.state);
        if (options.json) {
            nlohmann::json keys = nlohmann::json::object();
            for (int id : ids) {
                keys[std::to_string(id)] = faceText(faceOfButton(engine.frame(), id));
            }
            ticks.push_back({{"tick", t}, {"keys", std::move(keys)}});
            continue;
        }
        context.out << "tick " << t;
        for (int id : ids) {
            context.out << ' ' << id << '=' << faceText(faceOfButton(engine.frame(), id));
        }
        context.out << '\n';
    }
    if (options.json) {
        const nlohmann::json document{
            {"effect", options.state.effect},
            {"direction", options.state.direction == kDirectionFirst ? "first" : "second"},
            {"multicolour", options.state.multicolour},
            {"colour", faceText(markedFace(rgbOf(options.state.colour)))},
            {"ticks", std::move(ticks)},
        };
        context.out << document.dump(1) << '\n';
    }
    return kExitOk;
}

} // namespace kw::cli
