// A user lighting file of hostile bytes read as ApplyUserMode reads it, then
// one key painted: reading must stay inside the text, and the painted key
// must read back as written.

#include "core/base/ini_file.h"
#include "core/lighting/key_colour_index.h"
#include "core/lighting/user_lighting_file.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto doc = kw::IniDocument::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    const int mode = kw::ReadPresentMode(doc);
    for (int m = 0; m < kw::kUserModeCount; ++m) {
        kw::ReadModeName(doc, m);
    }
    kw::ReadModeSettings(doc, mode, {});
    kw::KeyColourEntry entry;
    for (int button : kw::LitButtons()) {
        entry = kw::ReadKeyEntry(doc, mode, kw::ColourIndexOfButton(button), entry);
    }

    if (doc.set(kw::UserModeSection(mode), "61", "1,2,3,0")) {
        if (kw::ReadKeyEntry(doc, mode, 61, {}) != kw::KeyColourEntry{kw::Rgb{1, 2, 3}, false}) {
            std::abort();
        }
    }
    return 0;
}
