#include "core/macros/record_delay_setting.h"

#include "core/base/settings_store.h"
#include "core/macros/decimal_text.h"
#include "core/skin/language.h"
#include "core/skin/text_keys.h"

#include <string>

namespace kw {

namespace {

constexpr const char* kSection = "PROFILES";

std::string entryName(const Language& language) {
    return language.text(text_keys::MACRO_ACTION_RECORD_DELAY);
}

} // namespace

bool LoadRecordDelay(SettingsStore& settings, const Language& language) {
    const std::string name = entryName(language);
    const bool on = ParseDecimal(settings.readProfileString(kSection, name, "0")) == 1;
    settings.writeProfileString(kSection, name, on ? "1" : "0");
    return on;
}

void StoreRecordDelay(SettingsStore& settings, const Language& language, bool on) {
    settings.writeProfileString(kSection, entryName(language), on ? "1" : "0");
}

} // namespace kw
