#pragma once
// Linux key events to key codes. The GUI sees a key's evdev code (the native
// scan code Qt reports, less 8 on X11 and Wayland, whose key codes are
// evdev codes + 8) and whether the event is a press, a release or an
// auto-repeat; this is what the keyboard hooks of the Windows design gave.

#include "core/keys/key_codes.h"

#include <cstdint>
#include <optional>
#include <span>

namespace kw {

// Evdev key codes, with their values from linux/input-event-codes.h (the core
// does not include platform headers).
namespace evdev {
inline constexpr std::uint16_t KEY_ESC = 1;
inline constexpr std::uint16_t KEY_1 = 2;
inline constexpr std::uint16_t KEY_2 = 3;
inline constexpr std::uint16_t KEY_3 = 4;
inline constexpr std::uint16_t KEY_4 = 5;
inline constexpr std::uint16_t KEY_5 = 6;
inline constexpr std::uint16_t KEY_6 = 7;
inline constexpr std::uint16_t KEY_7 = 8;
inline constexpr std::uint16_t KEY_8 = 9;
inline constexpr std::uint16_t KEY_9 = 10;
inline constexpr std::uint16_t KEY_0 = 11;
inline constexpr std::uint16_t KEY_MINUS = 12;
inline constexpr std::uint16_t KEY_EQUAL = 13;
inline constexpr std::uint16_t KEY_BACKSPACE = 14;
inline constexpr std::uint16_t KEY_TAB = 15;
inline constexpr std::uint16_t KEY_Q = 16;
inline constexpr std::uint16_t KEY_W = 17;
inline constexpr std::uint16_t KEY_E = 18;
inline constexpr std::uint16_t KEY_R = 19;
inline constexpr std::uint16_t KEY_T = 20;
inline constexpr std::uint16_t KEY_Y = 21;
inline constexpr std::uint16_t KEY_U = 22;
inline constexpr std::uint16_t KEY_I = 23;
inline constexpr std::uint16_t KEY_O = 24;
inline constexpr std::uint16_t KEY_P = 25;
inline constexpr std::uint16_t KEY_LEFTBRACE = 26;
inline constexpr std::uint16_t KEY_RIGHTBRACE = 27;
inline constexpr std::uint16_t KEY_ENTER = 28;
inline constexpr std::uint16_t KEY_LEFTCTRL = 29;
inline constexpr std::uint16_t KEY_A = 30;
inline constexpr std::uint16_t KEY_S = 31;
inline constexpr std::uint16_t KEY_D = 32;
inline constexpr std::uint16_t KEY_F = 33;
inline constexpr std::uint16_t KEY_G = 34;
inline constexpr std::uint16_t KEY_H = 35;
inline constexpr std::uint16_t KEY_J = 36;
inline constexpr std::uint16_t KEY_K = 37;
inline constexpr std::uint16_t KEY_L = 38;
inline constexpr std::uint16_t KEY_SEMICOLON = 39;
inline constexpr std::uint16_t KEY_APOSTROPHE = 40;
inline constexpr std::uint16_t KEY_GRAVE = 41;
inline constexpr std::uint16_t KEY_LEFTSHIFT = 42;
inline constexpr std::uint16_t KEY_BACKSLASH = 43;
inline constexpr std::uint16_t KEY_Z = 44;
inline constexpr std::uint16_t KEY_X = 45;
inline constexpr std::uint16_t KEY_C = 46;
inline constexpr std::uint16_t KEY_V = 47;
inline constexpr std::uint16_t KEY_B = 48;
inline constexpr std::uint16_t KEY_N = 49;
inline constexpr std::uint16_t KEY_M = 50;
inline constexpr std::uint16_t KEY_COMMA = 51;
inline constexpr std::uint16_t KEY_DOT = 52;
inline constexpr std::uint16_t KEY_SLASH = 53;
inline constexpr std::uint16_t KEY_RIGHTSHIFT = 54;
inline constexpr std::uint16_t KEY_KPASTERISK = 55;
inline constexpr std::uint16_t KEY_LEFTALT = 56;
inline constexpr std::uint16_t KEY_SPACE = 57;
inline constexpr std::uint16_t KEY_CAPSLOCK = 58;
inline constexpr std::uint16_t KEY_F1 = 59;
inline constexpr std::uint16_t KEY_F2 = 60;
inline constexpr std::uint16_t KEY_F3 = 61;
inline constexpr std::uint16_t KEY_F4 = 62;
inline constexpr std::uint16_t KEY_F5 = 63;
inline constexpr std::uint16_t KEY_F6 = 64;
inline constexpr std::uint16_t KEY_F7 = 65;
inline constexpr std::uint16_t KEY_F8 = 66;
inline constexpr std::uint16_t KEY_F9 = 67;
inline constexpr std::uint16_t KEY_F10 = 68;
inline constexpr std::uint16_t KEY_NUMLOCK = 69;
inline constexpr std::uint16_t KEY_SCROLLLOCK = 70;
inline constexpr std::uint16_t KEY_KP7 = 71;
inline constexpr std::uint16_t KEY_KP8 = 72;
inline constexpr std::uint16_t KEY_KP9 = 73;
inline constexpr std::uint16_t KEY_KPMINUS = 74;
inline constexpr std::uint16_t KEY_KP4 = 75;
inline constexpr std::uint16_t KEY_KP5 = 76;
inline constexpr std::uint16_t KEY_KP6 = 77;
inline constexpr std::uint16_t KEY_KPPLUS = 78;
inline constexpr std::uint16_t KEY_KP1 = 79;
inline constexpr std::uint16_t KEY_KP2 = 80;
inline constexpr std::uint16_t KEY_KP3 = 81;
inline constexpr std::uint16_t KEY_KP0 = 82;
inline constexpr std::uint16_t KEY_KPDOT = 83;
inline constexpr std::uint16_t KEY_102ND = 86;
inline constexpr std::uint16_t KEY_F11 = 87;
inline constexpr std::uint16_t KEY_F12 = 88;
inline constexpr std::uint16_t KEY_RO = 89;
inline constexpr std::uint16_t KEY_HENKAN = 92;
inline constexpr std::uint16_t KEY_KATAKANAHIRAGANA = 93;
inline constexpr std::uint16_t KEY_MUHENKAN = 94;
inline constexpr std::uint16_t KEY_KPENTER = 96;
inline constexpr std::uint16_t KEY_RIGHTCTRL = 97;
inline constexpr std::uint16_t KEY_KPSLASH = 98;
inline constexpr std::uint16_t KEY_SYSRQ = 99; // the Print Screen key
inline constexpr std::uint16_t KEY_RIGHTALT = 100;
inline constexpr std::uint16_t KEY_HOME = 102;
inline constexpr std::uint16_t KEY_UP = 103;
inline constexpr std::uint16_t KEY_PAGEUP = 104;
inline constexpr std::uint16_t KEY_LEFT = 105;
inline constexpr std::uint16_t KEY_RIGHT = 106;
inline constexpr std::uint16_t KEY_END = 107;
inline constexpr std::uint16_t KEY_DOWN = 108;
inline constexpr std::uint16_t KEY_PAGEDOWN = 109;
inline constexpr std::uint16_t KEY_INSERT = 110;
inline constexpr std::uint16_t KEY_DELETE = 111;
inline constexpr std::uint16_t KEY_MUTE = 113;
inline constexpr std::uint16_t KEY_VOLUMEDOWN = 114;
inline constexpr std::uint16_t KEY_VOLUMEUP = 115;
inline constexpr std::uint16_t KEY_PAUSE = 119;
inline constexpr std::uint16_t KEY_KPCOMMA = 121;
inline constexpr std::uint16_t KEY_HANGEUL = 122;
inline constexpr std::uint16_t KEY_HANJA = 123;
inline constexpr std::uint16_t KEY_YEN = 124;
inline constexpr std::uint16_t KEY_LEFTMETA = 125;
inline constexpr std::uint16_t KEY_RIGHTMETA = 126;
inline constexpr std::uint16_t KEY_COMPOSE = 127; // the Menu (App) key
inline constexpr std::uint16_t KEY_STOP = 128;
inline constexpr std::uint16_t KEY_CALC = 140;
inline constexpr std::uint16_t KEY_SLEEP = 142;
inline constexpr std::uint16_t KEY_FILE = 144;
inline constexpr std::uint16_t KEY_MAIL = 155;
inline constexpr std::uint16_t KEY_BOOKMARKS = 156;
inline constexpr std::uint16_t KEY_COMPUTER = 157;
inline constexpr std::uint16_t KEY_BACK = 158;
inline constexpr std::uint16_t KEY_FORWARD = 159;
inline constexpr std::uint16_t KEY_NEXTSONG = 163;
inline constexpr std::uint16_t KEY_PLAYPAUSE = 164;
inline constexpr std::uint16_t KEY_PREVIOUSSONG = 165;
inline constexpr std::uint16_t KEY_STOPCD = 166;
inline constexpr std::uint16_t KEY_CONFIG = 171;
inline constexpr std::uint16_t KEY_HOMEPAGE = 172;
inline constexpr std::uint16_t KEY_REFRESH = 173;
inline constexpr std::uint16_t KEY_F13 = 183;
inline constexpr std::uint16_t KEY_SEARCH = 217;
inline constexpr std::uint16_t KEY_MEDIA = 226;
} // namespace evdev

// One row of the mapping. The primary row of a key code is the evdev key the
// keyboard itself sends for it; further rows with the same code are other
// keyboards' names for the same function.
struct EvdevKey {
    std::uint16_t evdevCode;
    KeyCode code;
};
std::span<const EvdevKey> EvdevKeyTable();

// 0 when the evdev key has no key code (it is then passed on, not recorded).
KeyCode KeyCodeOfEvdevKey(std::uint32_t evdevCode);

// The evdev key that produces the code (its primary row); nullopt when none
// does. Break (0x146) and the second Right Shift row (0x136) have none: Linux
// reports Ctrl+Pause as Pause, as the Windows design reports Ctrl+Break.
std::optional<std::uint16_t> EvdevKeyOfKeyCode(KeyCode code);

enum class KeyEventKind : std::uint8_t { Press, Release, AutoRepeat };

// A key event as the macro recorder and the single-key capture see it.
struct KeyStroke {
    KeyCode code = kNoKey;
    KeyEventKind kind = KeyEventKind::Press;

    bool isFreshPress() const { return kind == KeyEventKind::Press; }
    bool isRelease() const { return kind == KeyEventKind::Release; }
    bool isAutoRepeat() const { return kind == KeyEventKind::AutoRepeat; }
};

KeyStroke KeyStrokeOfEvdevEvent(std::uint32_t evdevCode, KeyEventKind kind);

// Qt's native scan code on X11 and Wayland is the XKB key code, evdev + 8;
// nullopt for a value below 8 (no key).
std::optional<std::uint32_t> EvdevCodeOfXkbKeycode(std::uint32_t xkbKeycode);

} // namespace kw
