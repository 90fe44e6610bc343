#pragma once
// The lighting record of the current lighting profile as the window keeps it,
// and every write its controls make. There is no apply step for lighting:
// each change goes to the keyboard at once as one begin/write/end transaction.
// Write operations return 1, or the first command result that was not 1.

#include "core/device/transport.h"
#include "core/lighting/effect_list.h"
#include "core/lighting/lighting_state.h"

#include <cstdint>
#include <filesystem>

namespace kw {

class UserModeModel;

class LightingModel {
public:
    // `viewSettingsFile` is "wskb.ini" in the data folder.
    LightingModel(Transport& transport, std::filesystem::path viewSettingsFile);

    // The profile whose record is shown and edited; ignored outside 0..2.
    int profile() const { return profile_; }
    void setProfile(int profile);

    const LightingState& state() const { return state_; }
    const EffectList& effectList() const { return effects_; }
    const EffectSlotTable& effectSlots() const { return slots_; }

    // Reads the offered effects and the three records, then decodes the
    // current profile's. 0, or -1 when the information block cannot be read
    // (the effect list is then empty and the state unchanged) or the records
    // cannot be read (the state unchanged).
    int ReadLighting();

    // Writes the chosen effect (and the multicolour flag for the effects that
    // use it). A code outside the effect table writes nothing (0).
    int SelectEffect(std::uint8_t code);
    // Slider positions 0..5; the speed slider runs backwards. A position that
    // gives the kept value writes nothing.
    int SetBrightnessPosition(int position);
    int SetSpeedPosition(int position);
    // Written even when it does not change, as a click on the picture does.
    int SetDirection(std::uint8_t direction);
    // Turns many colours off and writes the colour.
    int SetColour(Colorref colour);
    int ToggleMulticolour();
    // Swatch 0..3 of effect 17; -201 for any other.
    int SetSwatch(int swatch);
    // Report-rate choice 0..3 into byte 15 of the current profile's record; -201 for any other.
    int SetReportRate(int rate);

    // Effect 1 with its first 35 bytes of defaults; when the keyboard offers
    // the user mode, `userModes` restores its file from `defaultUserFile` first.
    int RestoreDefaultLighting(UserModeModel* userModes,
                               const std::filesystem::path& defaultUserFile);

    // Stores the view switch in the view settings file; false when it cannot be written.
    bool SetLightingView(bool on);

private:
    int writeField(int field, std::uint8_t value);

    Transport& transport_;
    std::filesystem::path viewSettingsFile_;
    int profile_ = 0;
    LightingState state_;
    EffectList effects_;
    EffectSlotTable slots_;
};

} // namespace kw
