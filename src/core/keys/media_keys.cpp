#include "core/keys/media_keys.h"

#include "core/skin/text_keys.h"

namespace kw {

const std::array<MediaKey, kMediaKeyCount>& MediaKeyTable() {
    static constexpr std::array<MediaKey, kMediaKeyCount> table{{
        {0x16D, 0x0183, "MEDIA_PALYER_1"},
        {0x122, 0x00CD, "MEDIA_PALY_PAUSE_2"},
        {0x124, 0x00B7, "MEDIA_STOP_PALY_3"},
        {0x110, 0x00B6, "MEDIA_PREV_TRACK_4"},
        {0x119, 0x00B5, "MEDIA_Next_TRACK_5"},
        {0x12E, 0x00EA, "MEDIA_V_LOW_6"},
        {0x130, 0x00E9, "MEDIA_V_ADD_7"},
        {0x120, 0x00E2, "MEDIA_MUTE_8"},
        {0x132, 0x0223, "MEDIA_WWW_HOME_9"},
        {0x167, 0x0227, "MEDIA_WWW_REFRESH_10"},
        {0x168, 0x0226, "MEDIA_WWW_STOP_11"},
        {0x16A, 0x0224, "MEDIA_WWW_BACK_12"},
        {0x169, 0x0225, "MEDIA_WWW_FORWARD_13"},
        {0x166, 0x022A, "MEDIA_WWW_FAVORITE_14"},
        {0x165, 0x0221, "MEDIA_WWW_SEARCH_15"},
        {0x16B, 0x0194, "MEDIA_MY_PC_16"},
        {0x121, 0x0192, "MEDIA_CALC_17"},
        {0x16C, 0x018A, "MEDIA_MAIL_18"},
    }};
    return table;
}

bool IsMediaKeyCode(KeyCode code) {
    for (const auto& media : MediaKeyTable()) {
        if (media.code == code) {
            return true;
        }
    }
    return false;
}

int MediaIndexOfConsumerUsage(std::uint16_t usage) {
    const auto& table = MediaKeyTable();
    for (int i = 0; i < kMediaKeyCount; ++i) {
        if (table[i].consumerUsage == usage) {
            return i;
        }
    }
    return -1;
}

const std::array<std::string_view, kFunctionKeyCount>& FunctionKeyTable() {
    return text_keys::kFunctionKeyDescriptions;
}

} // namespace kw
