// lighting, colours and report-rate: the current profile's lighting record and
// user lighting mode from the command line. Every field is written the way
// the window's control writes it, one transaction each.

#include "cli/cli_session.h"
#include "cli/command_functions.h"
#include "core/config/data_folder.h"
#include "core/keys/key_buttons.h"
#include "core/keys/key_name_lookup.h"
#include "core/lighting/colour_text.h"
#include "core/lighting/key_colour_index.h"
#include "core/lighting/lighting_block.h"
#include "core/lighting/lighting_model.h"
#include "core/lighting/lighting_sliders.h"
#include "core/lighting/user_mode.h"
#include "core/lighting/view_settings.h"
#include "core/sync/current_profile.h"

#include <charconv>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <vector>

namespace kw::cli {

namespace {

std::string resultText(int result) {
    return " (result " + std::to_string(result) + ")";
}

// The keyboard connected, its active profile found and that profile's
// lighting read, as the window has them after a profile refresh.
class LightingSession {
public:
    explicit LightingSession(Context& context)
        : context_(context), session_(context, false),
          lighting_(session_.transport(), ViewSettingsFilePath(defaultDataHome())),
          userModes_(session_.transport(), defaultDataHome()) {}

    // kExitOk, or the exit code after a line on stderr.
    int open() {
        if (const int code = session_.connect(false); code != kExitOk) {
            return code;
        }
        const int profile = CurrentProfile(session_.transport(), session_.keyboard());
        if (profile < 0 || profile >= kLightingProfiles) {
            return fail(context_, kExitNoKeyboard, "cannot read the keyboard's active profile");
        }
        lighting_.setProfile(profile);
        userModes_.setProfile(profile);
        // As the program does at start-up; the user-mode commands check it again.
        ensureDataFolder(defaultDataHome(), context_.programFolder);
        if (lighting_.ReadLighting() != 0) {
            return fail(context_, kExitNoKeyboard, "cannot read the keyboard's lighting");
        }
        return kExitOk;
    }

    // For the user lighting mode: the keyboard offers it and its files have a
    // folder. kExitOk, or the exit code after a line on stderr.
    int openUserModes() {
        if (!lighting_.effectList().offers(kUserModeEffect)) {
            return fail(context_, kExitNegative, "this keyboard has no user lighting mode");
        }
        if (!ensureDataFolder(defaultDataHome(), context_.programFolder)) {
            return fail(context_, kExitNegative,
                        "cannot create the data folder " +
                            dataFolderPath(defaultDataHome()).string());
        }
        return kExitOk;
    }

    Transport& transport() { return session_.transport(); }
    LightingModel& lighting() { return lighting_; }
    UserModeModel& userModes() { return userModes_; }

private:
    Context& context_;
    CliSession session_;
    LightingModel lighting_;
    UserModeModel userModes_;
};

nlohmann::ordered_json directionJson(std::uint8_t direction) {
    if (direction == kDirectionFirst) {
        return "first";
    }
    if (direction == kDirectionSecond) {
        return "second";
    }
    return direction;
}

nlohmann::ordered_json lightingJson(const LightingModel& model, const UserLightingFile& userFile) {
    const LightingState& s = model.state();
    nlohmann::ordered_json effects = nlohmann::ordered_json::array();
    for (std::uint8_t code : model.effectSlots().codes()) {
        effects.push_back(code);
    }
    nlohmann::ordered_json out{
        {"profile", model.profile()},
        {"effect", s.effect},
        {"brightness", s.brightness},
        {"speed", s.speed},
        {"direction", directionJson(s.direction)},
        {"multicolour", s.multicolour},
        {"colour", ColourText(s.colour)},
        {"swatch", s.swatch},
        {"reportRate", s.reportRate},
        {"triggerMode", s.triggerMode},
        {"colour2", ColourText(s.colour2)},
        {"multicolour2", s.multicolour2},
        {"colour3", ColourText(s.colour3)},
        {"multicolour3", s.multicolour3},
        {"lightingView", s.lightingView},
        {"effects", effects},
    };
    if (model.effectList().offers(kUserModeEffect)) {
        const auto doc = userFile.load();
        nlohmann::ordered_json names = nlohmann::ordered_json::array();
        for (int m = 0; m < kUserModeCount; ++m) {
            names.push_back(ReadModeName(doc, m));
        }
        out["userMode"] = {{"mode", ReadPresentMode(doc)}, {"names", names}};
    }
    return out;
}

// One field of `lighting set`, checked before anything is written.
struct FieldEdit {
    std::string name;
    std::function<int(LightingModel&)> write;
    std::uint8_t effect = 0; // for effect=N: checked against the keyboard's list
};

// Empty when the argument is good, else what is wrong with it.
std::string parseFieldEdit(const std::string& arg, FieldEdit& edit) {
    const auto eq = arg.find('=');
    if (eq == std::string::npos) {
        return "expected FIELD=VALUE, got '" + arg + "'";
    }
    edit.name = arg.substr(0, eq);
    const std::string value = arg.substr(eq + 1);
    const auto number = [&](int high) { return parseNumber(value, 0, high); };
    if (edit.name == "effect") {
        const auto code = number(255);
        if (!code || *code == 0) {
            return "effect needs an effect code the keyboard offers";
        }
        edit.effect = static_cast<std::uint8_t>(*code);
        edit.write = [code = edit.effect](LightingModel& m) { return m.SelectEffect(code); };
    } else if (edit.name == "brightness") {
        const auto v = number(kMaxBrightness);
        if (!v) {
            return "brightness needs a number 0..5";
        }
        edit.write = [v = *v](LightingModel& m) { return m.SetBrightnessPosition(v); };
    } else if (edit.name == "speed") {
        const auto v = number(kMaxSpeed);
        if (!v) {
            return "speed needs a number 0..5";
        }
        // The slider runs backwards: the window's position for this speed.
        edit.write = [v = *v](LightingModel& m) { return m.SetSpeedPosition(PositionOfSpeed(v)); };
    } else if (edit.name == "direction") {
        if (value != "first" && value != "second") {
            return "direction needs first or second";
        }
        const std::uint8_t d = value == "first" ? kDirectionFirst : kDirectionSecond;
        edit.write = [d](LightingModel& m) { return m.SetDirection(d); };
    } else if (edit.name == "multicolour") {
        const auto v = number(1);
        if (!v) {
            return "multicolour needs 0 or 1";
        }
        // The toggle picture inverts the flag: clicked only when it differs.
        edit.write = [on = *v == 1](LightingModel& m) {
            return m.state().multicolour == on ? 1 : m.ToggleMulticolour();
        };
    } else if (edit.name == "colour") {
        const auto c = ParseColourText(value);
        if (!c) {
            return "colour needs a colour as '#RRGGBB' (quoted in the shell)";
        }
        edit.write = [c = *c](LightingModel& m) { return m.SetColour(c); };
    } else if (edit.name == "swatch") {
        const auto v = number(kMaxSwatch);
        if (!v) {
            return "swatch needs a number 0..3 (red, yellow, green, blue)";
        }
        edit.write = [v = *v](LightingModel& m) { return m.SetSwatch(v); };
    } else {
        return "unknown lighting field '" + edit.name +
               "' (effect, brightness, speed, direction, multicolour, colour, swatch)";
    }
    return {};
}

int runLightingShow(Context& context, std::span<const std::string> args) {
    if (!args.empty()) {
        return fail(context, kExitUsage, "lighting show takes no arguments");
    }
    LightingSession session(context);
    if (const int code = session.open(); code != kExitOk) {
        return code;
    }
    context.out << lightingJson(session.lighting(), session.userModes().file()).dump(2) << '\n';
    return kExitOk;
}

int runLightingSet(Context& context, std::span<const std::string> args) {
    if (args.empty()) {
        return fail(context, kExitUsage, "lighting set needs at least one FIELD=VALUE");
    }
    std::vector<FieldEdit> edits(args.size());
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (const auto error = parseFieldEdit(args[i], edits[i]); !error.empty()) {
            return fail(context, kExitUsage, error);
        }
    }
    LightingSession session(context);
    if (const int code = session.open(); code != kExitOk) {
        return code;
    }
    for (const auto& edit : edits) {
        if (edit.effect == 0) {
            continue;
        }
        if (!session.lighting().effectList().offers(edit.effect)) {
            return fail(context, kExitUsage,
                        "the keyboard does not offer effect " + std::to_string(edit.effect));
        }
        // Choosing such an effect in the window writes nothing either.
        if (!IsKnownEffect(edit.effect)) {
            return fail(context, kExitUsage,
                        "effect " + std::to_string(edit.effect) + " has no settings to write");
        }
    }
    for (const auto& edit : edits) {
        if (const int result = edit.write(session.lighting()); result != 1) {
            return fail(context, kExitNegative,
                        "the keyboard did not take the " + edit.name + resultText(result));
        }
    }
    return kExitOk;
}

int runLightingDefault(Context& context, std::span<const std::string> args) {
    if (!args.empty()) {
        return fail(context, kExitUsage, "lighting default takes no arguments");
    }
    LightingSession session(context);
    if (const int code = session.open(); code != kExitOk) {
        return code;
    }
    UserModeModel* userModes = nullptr;
    if (session.lighting().effectList().offers(kUserModeEffect)) {
        if (const int code = session.openUserModes(); code != kExitOk) {
            return code;
        }
        userModes = &session.userModes();
    }
    const int result = session.lighting().RestoreDefaultLighting(
        userModes, defaultUserLightingFile(context.programFolder));
    if (result != 1) {
        return fail(context, kExitNegative,
                    "the default lighting was not fully restored" + resultText(result));
    }
    return kExitOk;
}

// The key button for a key name ("A", "Page Up", "G3") or "Fn"; 0 for none.
int keyButtonOfName(std::string_view name) {
    if (name == "Fn" || name == "fn" || name == "FN") {
        return kFnButton;
    }
    const KeyCode code = KeyCodeOfName(name);
    if (code == kNoKey) {
        return 0;
    }
    if (IsGKeyCode(code)) {
        return GKeyButtonTable()[static_cast<std::size_t>(code - kFirstGKeyCode)];
    }
    for (const auto& button : KeyButtonTable()) {
        if (button.code == code) {
            return button.controlId;
        }
    }
    return 0;
}

int runColoursMode(Context& context, std::span<const std::string> args) {
    const auto mode = args.size() == 1 ? parseNumber(args[0], 0, kUserModeCount - 1) : std::nullopt;
    if (!mode) {
        return fail(context, kExitUsage, "colours mode needs a user mode 0..9");
    }
    LightingSession session(context);
    if (const int code = session.open(); code != kExitOk) {
        return code;
    }
    if (const int code = session.openUserModes(); code != kExitOk) {
        return code;
    }
    if (const int result = session.userModes().SelectUserMode(*mode); result != 1) {
        return fail(context, kExitNegative,
                    "user mode " + std::to_string(*mode) + " was not applied" + resultText(result));
    }
    return kExitOk;
}

int runColoursPaint(Context& context, std::span<const std::string> args) {
    std::vector<std::string> rest(args.begin(), args.end());
    const bool base = takeFlag(rest, "--base");
    if (rest.empty() || rest.size() > 2 || (rest.size() == 1 && !base)) {
        return fail(context, kExitUsage,
                    "colours paint needs KEY #RRGGBB, or KEY [#RRGGBB] --base");
    }
    const int button = keyButtonOfName(rest[0]);
    if (button == 0) {
        return fail(context, kExitUsage, "unknown key '" + rest[0] + "'");
    }
    if (!HasLight(ColourIndexOfButton(button))) {
        return fail(context, kExitUsage, "key '" + rest[0] + "' has no light");
    }
    std::optional<Colorref> colour;
    if (rest.size() == 2) {
        colour = ParseColourText(rest[1]);
        if (!colour) {
            return fail(context, kExitUsage, "a colour is written '#RRGGBB' (quoted in the shell)");
        }
    }
    LightingSession session(context);
    if (const int code = session.open(); code != kExitOk) {
        return code;
    }
    if (const int code = session.openUserModes(); code != kExitOk) {
        return code;
    }
    if (session.lighting().state().effect != kUserModeEffect) {
        return fail(context, kExitNegative,
                    "keys are painted in the user lighting mode: run 'lighting set effect=20' "
                    "first");
    }
    UserModeModel& modes = session.userModes();
    if (const int result = modes.LoadUserModeNames(); result != 1) {
        return fail(context, kExitNegative, "the user mode was not applied" + resultText(result));
    }
    // With the base-colour tool a given colour becomes the base colour first,
    // which recolours every key that follows it.
    bool stored = modes.SelectTool(base ? kBaseColourTool : kColourTool);
    int result = 1;
    if (colour && base) {
        result = modes.SetBaseColour(*colour);
    } else if (colour) {
        stored = stored && modes.SetPaintColour(*colour);
    }
    if (!stored || result == 0) {
        return fail(context, kExitNegative,
                    "cannot write the user lighting file " + modes.file().path().string());
    }
    if (result == 1) {
        result = modes.PaintKey(button, session.lighting().state().effect);
    }
    if (result != 1) {
        return fail(context, kExitNegative, "the key was not painted" + resultText(result));
    }
    return kExitOk;
}

int runColoursBase(Context& context, std::span<const std::string> args) {
    const auto colour = args.size() == 1 ? ParseColourText(args[0]) : std::nullopt;
    if (!colour) {
        return fail(context, kExitUsage,
                    "colours base needs a colour '#RRGGBB' (quoted in the shell)");
    }
    LightingSession session(context);
    if (const int code = session.open(); code != kExitOk) {
        return code;
    }
    if (const int code = session.openUserModes(); code != kExitOk) {
        return code;
    }
    UserModeModel& modes = session.userModes();
    if (const int result = modes.LoadUserModeNames(); result != 1) {
        return fail(context, kExitNegative, "the user mode was not applied" + resultText(result));
    }
    if (const int result = modes.SetBaseColour(*colour); result != 1) {
        return fail(context, kExitNegative, "the base colour was not set" + resultText(result));
    }
    return kExitOk;
}

int runColoursRename(Context& context, std::span<const std::string> args) {
    const auto mode = args.size() == 2 ? parseNumber(args[0], 0, kUserModeCount - 1) : std::nullopt;
    if (!mode) {
        return fail(context, kExitUsage, "colours rename needs a user mode 0..9 and a name");
    }
    if (args[1].find_first_of("\r\n") != std::string::npos) {
        return fail(context, kExitUsage, "a user mode name is one line");
    }
    LightingSession session(context);
    if (const int code = session.open(); code != kExitOk) {
        return code;
    }
    if (const int code = session.openUserModes(); code != kExitOk) {
        return code;
    }
    if (!session.userModes().RenameUserMode(*mode, args[1])) {
        return fail(context, kExitNegative,
                    "cannot write the user lighting file " +
                        session.userModes().file().path().string());
    }
    return kExitOk;
}

} // namespace

int runLighting(Context& context, std::span<const std::string> args) {
    const std::string sub = args.empty() ? std::string() : args[0];
    const auto rest = args.empty() ? args : args.subspan(1);
    if (sub == "show") {
        return runLightingShow(context, rest);
    }
    if (sub == "set") {
        return runLightingSet(context, rest);
    }
    if (sub == "default") {
        return runLightingDefault(context, rest);
    }
    return fail(context, kExitUsage, "lighting needs show, set or default");
}

int runColours(Context& context, std::span<const std::string> args) {
    const std::string sub = args.empty() ? std::string() : args[0];
    const auto rest = args.empty() ? args : args.subspan(1);
    if (sub == "mode") {
        return runColoursMode(context, rest);
    }
    if (sub == "paint") {
        return runColoursPaint(context, rest);
    }
    if (sub == "base") {
        return runColoursBase(context, rest);
    }
    if (sub == "rename") {
        return runColoursRename(context, rest);
    }
    return fail(context, kExitUsage, "colours needs mode, paint, base or rename");
}

int runReportRate(Context& context, std::span<const std::string> args) {
    const auto rate = args.size() == 1 ? parseNumber(args[0], 0, kMaxReportRate) : std::nullopt;
    if (!rate) {
        return fail(context, kExitUsage, "report-rate needs a report-rate choice 0..3");
    }
    CliSession session(context, false);
    if (const int code = session.connect(false); code != kExitOk) {
        return code;
    }
    const int profile = CurrentProfile(session.transport(), session.keyboard());
    if (profile < 0 || profile >= kLightingProfiles) {
        return fail(context, kExitNoKeyboard, "cannot read the keyboard's active profile");
    }
    LightingModel lighting(session.transport(), ViewSettingsFilePath(defaultDataHome()));
    lighting.setProfile(profile);
    if (const int result = lighting.SetReportRate(*rate); result != 1) {
        return fail(context, kExitNegative,
                    "the keyboard did not take the report rate" + resultText(result));
    }
    return kExitOk;
}

} // namespace kw::cli
