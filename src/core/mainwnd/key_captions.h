#pragma once
// The tooltip and the "assigned" mark of a key button or G-key button, built
// from the key's entry: the key's name, and for a key with a function of its
// own the language's pieces and what it was given, joined without separators.

#include "core/config/config_image.h"
#include "core/keys/key_codes.h"

#include <string>

namespace kw {

class Language;

struct KeyCaption {
    std::string tooltip; // at most 259 characters
    bool marked = false; // the key carries a function other than the keyboard's default
};

// `image` names the macro of a macro entry; it is read without its lock.
KeyCaption KeyCaptionOf(KeyCode code, const KeyEntry& entry, const ConfigImage& image,
                        const Language& language);
// "G1".."G9" for ordinal 0..8 instead of a key name.
KeyCaption GKeyCaptionOf(int ordinal, const KeyEntry& entry, const ConfigImage& image,
                         const Language& language);

// The entry a key or G-key button shows in `profile`; an all-zero entry while
// the profile is unknown (outside 0..2) or the image has no block, so nothing
// outside the three profile groups is ever addressed.
KeyEntry ShownKeyEntry(const ConfigImage& image, int profile, int keyIndex);

// Zeroes all 16 bytes of the entries of the nine G-keys and the 106 key
// buttons in `profile`'s group, under the image's lock. 0 (nothing touched)
// while the profile is unknown or there is no block, else 1.
int ClearKeyFunctions(ConfigImage& image, int profile);

} // namespace kw
