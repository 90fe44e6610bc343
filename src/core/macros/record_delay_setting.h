#pragma once
// The record-delay option of the macro editor, kept in "PROFILES" under the
// current language's text of MACRO_ACTION_RECORD_DELAY (so each language keeps
// its own entry) as "0" or "1".

namespace kw {

class Language;
class SettingsStore;

// On exactly when the stored value reads as 1 (missing reads as 0). The value
// is written back as "0" or "1", so a stray value is cleaned up at once.
bool LoadRecordDelay(SettingsStore& settings, const Language& language);

void StoreRecordDelay(SettingsStore& settings, const Language& language, bool on);

} // namespace kw
