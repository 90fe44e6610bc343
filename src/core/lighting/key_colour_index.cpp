#include "core/lighting/key_colour_index.h"

#include "core/keys/key_buttons.h"

#include <algorithm>
#include <array>
#include <vector>

namespace kw {

namespace {

struct ButtonIndex {
    int controlId;
    int colourIndex;
};

// The 106 key buttons; the right Windows key (199) has no light.
constexpr std::array<ButtonIndex, kKeyButtonCount> kKeyIndexes{{
    {1022, 0},   {1010, 2},   {1011, 3},   {1012, 4},   {1013, 5},   {1014, 6},   {1015, 7},
    {1023, 8},   {1024, 9},   {1025, 10},  {1026, 11},  {1027, 12},  {1028, 13},  {1091, 14},
    {1092, 15},  {1093, 16},  {1029, 20},  {1030, 21},  {1031, 22},  {1032, 23},  {1033, 24},
    {1034, 25},  {1035, 26},  {1036, 27},  {1037, 28},  {1038, 29},  {1039, 30},  {1040, 31},
    {1041, 32},  {1043, 33},  {1094, 34},  {1095, 35},  {1096, 36},  {1104, 37},  {1105, 38},
    {1106, 39},  {1056, 40},  {1044, 41},  {1045, 42},  {1046, 43},  {1047, 44},  {1048, 45},
    {1049, 46},  {1050, 47},  {1051, 48},  {1052, 49},  {1053, 50},  {1054, 51},  {1055, 52},
    {1097, 54},  {1098, 55},  {1099, 56},  {1108, 57},  {1109, 58},  {1110, 59},  {1069, 60},
    {1058, 61},  {1059, 62},  {1060, 63},  {1061, 64},  {1062, 65},  {1063, 66},  {1064, 67},
    {1065, 68},  {1066, 69},  {1067, 70},  {1068, 71},  {1042, 72},  {1070, 73},  {1112, 77},
    {1113, 78},  {1114, 79},  {1082, 80},  {1222, 81},  {1071, 82},  {1072, 83},  {1073, 84},
    {1074, 85},  {1075, 86},  {1076, 87},  {1077, 88},  {1078, 89},  {1079, 90},  {1080, 91},
    {1223, 92},  {1081, 93},  {1103, 95},  {1115, 97},  {1116, 98},  {1117, 99},  {1083, 100},
    {1084, 101}, {1085, 102}, {1090, 106}, {1107, 107}, {1111, 108}, {1118, 109}, {1086, 110},
    {1088, 112}, {1089, 113}, {1100, 114}, {1101, 115}, {1102, 116}, {1120, 118}, {1119, 119},
    {1087, 199},
}};

// G1..G9 in ordinal order; G6..G9 have no light.
constexpr std::array<int, kGKeyCount> kGKeyIndexes{
    74, 75, 76, 94, 96, kNoLightIndex, kNoLightIndex, kNoLightIndex, kNoLightIndex};

std::vector<int> buildLitButtons() {
    std::vector<int> buttons;
    for (const auto& key : kKeyIndexes) {
        if (HasLight(key.colourIndex)) {
            buttons.push_back(key.controlId);
        }
    }
    const auto& gkeys = GKeyButtonTable();
    for (std::size_t g = 0; g < gkeys.size(); ++g) {
        if (HasLight(kGKeyIndexes[g])) {
            buttons.push_back(gkeys[g]);
        }
    }
    buttons.push_back(kFnButton);
    return buttons;
}

} // namespace

int ColourIndexOfButton(int controlId) {
    if (controlId == kFnButton) {
        return kFnColourIndex;
    }
    if (const int ordinal = GKeyOrdinalOf(controlId); ordinal >= 0) {
        return kGKeyIndexes[static_cast<std::size_t>(ordinal)];
    }
    const auto it =
        std::find_if(kKeyIndexes.begin(), kKeyIndexes.end(),
                     [controlId](const ButtonIndex& b) { return b.controlId == controlId; });
    return it == kKeyIndexes.end() ? -1 : it->colourIndex;
}

std::span<const int> LitButtons() {
    static const std::vector<int> buttons = buildLitButtons();
    return buttons;
}

} // namespace kw
