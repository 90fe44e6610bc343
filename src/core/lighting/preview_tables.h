#pragma once
// The constant tables of the lighting preview: colour wheel, level ramps and
// the places of the key buttons on the drawn keyboard (by control id, 255 =
// no key), plus the same places as KeyChain indexes, which is how the
// preview keeps its per-key state.

#include "core/lighting/rgb.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace kw {

inline constexpr std::size_t kKeyChainSize = 111;
inline constexpr std::size_t kGridColumns = 23;
inline constexpr std::size_t kGridRows = 6;
inline constexpr std::uint16_t kNoKeyId = 255;
// A place that holds no key, as a KeyChain index.
inline constexpr std::uint8_t kNoChainIndex = 0xFF;

using KeyIdColumn = std::array<std::uint16_t, kGridRows>;

// 192 colours round the wheel; entries 192..255 repeat 0..63 so that any
// byte is a valid index.
extern const std::array<Rgb, 256> ColourWheel;
extern const std::array<std::uint8_t, 96> Ramp96;
extern const std::array<std::uint8_t, 128> PulseRamp128;
extern const std::array<std::uint8_t, 128> BreathRamp128;

// 23 columns of 6 rows, row 0 at the top. Wide keys appear in two columns.
inline constexpr std::array<KeyIdColumn, kGridColumns> KeyGrid{{
    {1022, 1000, 1001, 1002, 1003, 1004}, {255, 1029, 1056, 1069, 1082, 1083},
    {255, 1030, 1044, 1058, 1222, 1084},  {1010, 1031, 1045, 1059, 1071, 1085},
    {1011, 1032, 1046, 1060, 1072, 255},  {1012, 1033, 1047, 1061, 1073, 255},
    {1013, 1034, 1048, 1062, 1074, 1090}, {255, 1035, 1049, 1063, 1075, 255},
    {1014, 1036, 1050, 1064, 1076, 255},  {1015, 1037, 1051, 1065, 1077, 1086},
    {1023, 1038, 1052, 1066, 1078, 1086}, {1024, 1039, 1053, 1067, 1079, 1174},
    {1025, 1040, 1054, 1068, 1080, 1088}, {1026, 1041, 1055, 255, 1223, 255},
    {1027, 1043, 1042, 1070, 1081, 1089}, {1028, 1043, 1042, 255, 1081, 1089},
    {1091, 1094, 1097, 255, 255, 1100},   {1092, 1095, 1098, 255, 1103, 1101},
    {1093, 1096, 1099, 255, 255, 1102},   {255, 1104, 1108, 1112, 1115, 1120},
    {255, 1105, 1109, 1113, 1116, 1120},  {255, 1106, 1110, 1114, 1117, 1119},
    {255, 1107, 255, 1111, 1118, 255},
}};

// Every key the preview colours, in a snake order over the keyboard.
inline constexpr std::array<std::uint16_t, kKeyChainSize> KeyChain{
    1093, 1092, 1091, 1028, 1027, 1026, 1025, 1024, 1023, 1015, 1014, 1013, 1012, 1011, 1010, 1022,
    1000, 1001, 1002, 1003, 1004, 1083, 1084, 1085, 1090, 1086, 1174, 1088, 1089, 1100, 1101, 1102,
    1120, 1119, 1118, 1111, 1107, 1106, 1105, 1104, 1096, 1095, 1094, 1043, 1041, 1040, 1039, 1038,
    1037, 1036, 1035, 1034, 1033, 1032, 1031, 1030, 1029, 1056, 1069, 1082, 1222, 1071, 1072, 1073,
    1074, 1075, 1076, 1077, 1078, 1079, 1080, 1223, 1081, 1103, 1115, 1116, 1117, 1114, 1110, 1109,
    1108, 1099, 1098, 1097, 1042, 1055, 1054, 1053, 1052, 1051, 1050, 1049, 1048, 1047, 1046, 1045,
    1044, 1058, 1059, 1060, 1061, 1062, 1063, 1064, 1065, 1066, 1067, 1068, 1070, 1112, 1113,
};

// KeyChain indexes in the order the twinkle picks them. The last seven
// entries are 0, so KeyChain keys 104..110 never twinkle.
inline constexpr std::array<std::uint8_t, kKeyChainSize> TwinkleOrder{
    88, 24, 101, 57, 16, 69,  35, 34,  36,  51, 78, 18, 12, 66, 97, 9,  33, 41, 55, 52, 48, 95, 77,
    70, 10, 23,  39, 3,  102, 17, 65,  22,  31, 4,  85, 76, 15, 60, 54, 21, 83, 94, 6,  61, 49, 20,
    5,  14, 68,  98, 71, 27,  81, 1,   0,   87, 46, 75, 37, 73, 32, 79, 8,  29, 72, 56, 44, 99, 13,
    47, 42, 93,  91, 80, 86,  89, 43,  28,  58, 59, 38, 53, 2,  62, 64, 90, 96, 74, 92, 40, 25, 26,
    7,  30, 50,  84, 45, 67,  19, 103, 100, 82, 11, 63, 0,  0,  0,  0,  0,  0,  0,
};

// The rows lit one per tick by the sweep of effect 14.
inline constexpr std::array<KeyIdColumn, 20> SweepRows{{
    {1022, 1118, 255, 255, 255, 255},     {1010, 1119, 255, 255, 255, 255},
    {1011, 1120, 255, 255, 255, 255},     {1012, 1102, 1029, 1118, 255, 255},
    {1013, 1101, 1030, 1117, 255, 255},   {1014, 1100, 1031, 1116, 255, 255},
    {1015, 1089, 1032, 1115, 1056, 1111}, {1023, 1088, 1033, 1103, 1044, 1114},
    {1024, 1174, 1034, 1081, 1045, 1113}, {1025, 1086, 1035, 1080, 1046, 1112},
    {1041, 1078, 1036, 1079, 1047, 255},  {1055, 1065, 1037, 1078, 1048, 255},
    {1068, 1051, 1038, 1065, 1049, 1070}, {1080, 1038, 1039, 1051, 1050, 1068},
    {1079, 1039, 1053, 1038, 1051, 1067}, {1078, 1040, 1066, 1039, 1052, 1066},
    {1065, 1041, 1065, 1053, 1053, 1065}, {1051, 1055, 1051, 1066, 1054, 255},
    {1038, 1068, 255, 255, 255, 255},     {1039, 1080, 255, 255, 255, 255},
}};

// The key pairs lit by the ripple of effect 14.
inline constexpr std::array<std::array<std::uint16_t, 2>, 16> RingPairs{{
    {1038, 1080},
    {1039, 1079},
    {1040, 1078},
    {1041, 1065},
    {1055, 1051},
    {1068, 1038},
    {1080, 1039},
    {1079, 1040},
    {1078, 1041},
    {1065, 1055},
    {1051, 1068},
    {1052, 1067},
    {1053, 1066},
    {1054, 1052},
    {1067, 1053},
    {1066, 1054},
}};

// Twelve rings round the O key, inside out (effect 18).
inline constexpr std::array<std::array<std::uint16_t, 12>, 12> RingTable{{
    {1052, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255},
    {1038, 1051, 1065, 1066, 1053, 1039, 255, 255, 255, 255, 255, 255},
    {1024, 1037, 1050, 1064, 1077, 1078, 1079, 1067, 1054, 1040, 255, 255},
    {1023, 1036, 1049, 1063, 1076, 1086, 1080, 1068, 1055, 1041, 1025, 1042},
    {1015, 1035, 1048, 1062, 1075, 1174, 1223, 1070, 1042, 1043, 1026, 1027},
    {1014, 1034, 1047, 1061, 1074, 1090, 1081, 1088, 1089, 1097, 1094, 1028},
    {1013, 1033, 1046, 1060, 1073, 1100, 1103, 1098, 1095, 1091, 255, 255},
    {1012, 1032, 1045, 1059, 1072, 1101, 1102, 1099, 1096, 1093, 1092, 255},
    {1011, 1031, 1044, 1058, 1071, 1085, 1115, 1112, 1108, 1104, 255, 255},
    {1010, 1030, 1056, 1069, 1082, 1084, 1120, 1116, 1113, 1109, 1105, 1222},
    {1022, 1029, 1083, 1119, 1117, 1114, 1110, 1106, 255, 255, 255, 255},
    {1118, 1111, 1107, 1000, 1001, 1002, 1003, 1004, 255, 255, 255, 255},
}};

// Key button ids lie in 1000..1223; a table over that range answers which
// KeyChain index an id has without a search.
inline constexpr int kFirstKeyButtonId = 1000;
inline constexpr int kLastKeyButtonId = 1223;
inline constexpr auto KeyChainIndexById = [] {
    std::array<std::uint8_t, kLastKeyButtonId - kFirstKeyButtonId + 1> table{};
    table.fill(kNoChainIndex);
    for (std::size_t k = 0; k < KeyChain.size(); ++k) {
        table[KeyChain[k] - kFirstKeyButtonId] = static_cast<std::uint8_t>(k);
    }
    return table;
}();

// The KeyChain index of a key button, kNoChainIndex for any other id.
constexpr std::uint8_t keyChainIndexOf(int buttonId) {
    if (buttonId < kFirstKeyButtonId || buttonId > kLastKeyButtonId) {
        return kNoChainIndex;
    }
    return KeyChainIndexById[static_cast<std::size_t>(buttonId - kFirstKeyButtonId)];
}

template <std::size_t Rows, std::size_t Width>
constexpr auto chainIndexesOf(const std::array<std::array<std::uint16_t, Width>, Rows>& ids) {
    std::array<std::array<std::uint8_t, Width>, Rows> indexes{};
    for (std::size_t r = 0; r < Rows; ++r) {
        for (std::size_t i = 0; i < Width; ++i) {
            indexes[r][i] = keyChainIndexOf(ids[r][i]);
        }
    }
    return indexes;
}

// The tables above as KeyChain indexes, kNoChainIndex where they hold no key.
inline constexpr auto KeyGridIndexes = chainIndexesOf(KeyGrid);
inline constexpr auto SweepRowIndexes = chainIndexesOf(SweepRows);
inline constexpr auto RingPairIndexes = chainIndexesOf(RingPairs);
inline constexpr auto RingIndexes = chainIndexesOf(RingTable);

} // namespace kw
