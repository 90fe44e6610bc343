#include "cli/cli_session.h"

#include "core/config/config_file.h"
#include "core/config/data_folder.h"
#include "core/config/key_matrix.h"
#include "core/device/commands.h"
#include "core/skin/text_keys.h"
#include "core/sync/apply_pipeline.h"
#include "core/sync/keyboard_refresh.h"

#include <algorithm>
#include <array>
#include <mutex>

namespace kw::cli {

namespace {

// Below this firmware the keyboard must be updated before it can be configured.
constexpr std::uint16_t kLowestFirmware = 0x0104;

} // namespace

bool CliPrompter::askYesNo(const std::string& text) {
    err_ << text << (answerYes_ ? " [yes]\n" : " [no]\n");
    return answerYes_;
}

void CliPrompter::showMessage(const std::string& text) {
    messages_.push_back(text);
    err_ << text << '\n';
}

bool takeFlag(std::vector<std::string>& args, std::string_view flag) {
    const auto end = std::remove(args.begin(), args.end(), flag);
    const bool found = end != args.end();
    args.erase(end, args.end());
    return found;
}

CliSession::CliSession(Context& context, bool answerYes)
    : context_(context), devices_(context), settings_(SettingsStore::defaultPath()),
      language_(context.programFolder, settings_), prompter_(context.err, answerYes),
      config_(std::make_unique<ConfigImage>()),
      device_(std::make_unique<DeviceImage>()), sync_{devices_.transport(),
                                                      keyboard_,
                                                      *config_,
                                                      *device_,
                                                      modified_,
                                                      prompter_,
                                                      language_,
                                                      defaultDataHome(),
                                                      context.programFolder,
                                                      {}} {}

CliSession::~CliSession() = default;

int CliSession::connect(bool refresh) {
    if (const int code = devices_.connect(); code != kExitOk) {
        return code;
    }
    Transport& transport = devices_.transport();
    DeviceInfo info;
    if (ReadDeviceInfo(transport, info) != kCommandOk) {
        return fail(context_, kExitNoKeyboard, "the keyboard does not answer");
    }
    const std::uint16_t version = info.firmwareVersion();
    if (version >= 1 && version < kLowestFirmware) {
        return fail(context_, kExitNegative,
                    "The current version is too low! Please update the program after upgrading.");
    }
    std::array<std::uint8_t, kKeyMatrixSize> factory{};
    KeyMatrix matrix{};
    if (ReadDefaultMatrix(transport, factory) == kCommandOk &&
        keyMatrixFromBytes(factory, matrix)) {
        keyboard_.defaultMatrix.replace(matrix);
    } else {
        sync_.showText("MAIN_DEFAULT_MATRIX_PROMPT");
    }
    keyboard_.macroCapacity = info.macroCapacityBytes();
    keyboard_.currentProfile = kProfileUnknown;
    // Editing on top of the default block would overwrite the keyboard's other assignments.
    if (refresh) {
        bool fromKeyboard = false;
        RefreshFromKeyboard(sync_, &fromKeyboard);
        if (!fromKeyboard) {
            return fail(context_, kExitNoKeyboard,
                        "cannot read the configuration from the keyboard");
        }
    }
    return kExitOk;
}

int CliSession::apply() {
    if (ApplyConfiguration(sync_, nullptr) == 1) {
        return kExitOk;
    }
    return fail(context_, kExitNegative, "the keyboard did not take the configuration");
}

int CliSession::applyAllProfiles() {
    int written = 0;
    {
        std::lock_guard guard(config_->lock);
        SaveConfigurationFile(*config_, sync_.configFile(), false);
        written = BuildDeviceImage(sync_, true);
    }
    if (written == kImageStale) {
        sync_.showText(text_keys::KEYBOARD_CHANGED_NOT_APPLIED);
    }
    if (written != 1) {
        return fail(context_, kExitNegative, "the keyboard did not take the configuration");
    }
    modified_.clear();
    return kExitOk;
}

} // namespace kw::cli
