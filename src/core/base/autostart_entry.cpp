#include "core/base/autostart_entry.h"

#include "core/base/atomic_file.h"
#include "core/base/ini_file.h"
#include "core/base/text.h"

#include <string_view>
#include <system_error>

namespace kw {

namespace {

constexpr std::string_view kEntrySection = "Desktop Entry";

// One argument of an Exec line: quoted, with the four characters that keep a
// meaning inside quotes escaped, then written as a desktop-entry string value
// (backslashes doubled once more) with '%' doubled so it is no field code.
std::string quotedExecArgument(const std::string& argument) {
    std::string quoted = "\"";
    for (const char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
    }
    quoted += '"';
    std::string value;
    for (const char c : quoted) {
        if (c == '\\') {
            value += "\\\\";
        } else if (c == '%') {
            value += "%%";
        } else {
            value += c;
        }
    }
    return value;
}

bool switchedOff(const IniDocument& entry, std::string_view key, std::string_view offValue) {
    const auto value = entry.value(kEntrySection, key);
    return value && equalsIgnoreCase(trimBlanks(*value), offValue);
}

} // namespace

std::filesystem::path autostartEntryPath(const std::filesystem::path& configHome) {
    return configHome / "autostart" / "keyweave.desktop";
}

std::optional<std::string> autostartEntryText(const std::filesystem::path& executable) {
    const std::string path = executable.string();
    if (path.find_first_of("\r\n") != std::string::npos) {
        return std::nullopt;
    }
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Keyweave\n"
           "Comment=Keyboard configuration, waiting in the tray\n"
           "Exec=" +
           quotedExecArgument(path) +
           " /Start\n"
           "Icon=keyweave\n"
           "Terminal=false\n"
           "NoDisplay=true\n"
           "X-GNOME-Autostart-enabled=true\n";
}

bool isAutostartEnabled(const std::filesystem::path& entry) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(entry, ec)) {
        return false;
    }
    const IniDocument document = IniDocument::load(entry);
    return document.hasSection(kEntrySection) && !switchedOff(document, "Hidden", "true") &&
           !switchedOff(document, "X-GNOME-Autostart-enabled", "false");
}

bool setAutostart(const std::filesystem::path& entry, bool enabled,
                  const std::filesystem::path& executable) {
    std::error_code ec;
    if (!enabled) {
        std::filesystem::remove(entry, ec);
        return !std::filesystem::exists(entry, ec);
    }
    const auto text = autostartEntryText(executable);
    if (!text) {
        return false;
    }
    std::filesystem::create_directories(entry.parent_path(), ec);
    return writeFileAtomically(entry, *text);
}

} // namespace kw
