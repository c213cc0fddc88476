#pragma once
// The skin pictures of the check box and the radio button. They are drawn once
// per process on first use and then only handed around: switching a look is
// giving another of these pictures to the glyph box, never drawing.
#include <array>

#include "runtime/picture.h"

namespace controls::skins {

inline constexpr int kGlyphPx = 13;

// Looks within one value's group of four pictures.
inline constexpr int kNormal = 0;
inline constexpr int kHover = 1;
inline constexpr int kPressed = 2;
inline constexpr int kDisabled = 3;

// Check box pictures, index value * 4 + look for the values 0, 1 and 2.
// The hover and pressed pictures hold the same pixels but are distinct
// pictures with handles of their own.
const std::array<rt::PicturePtr, 12>& checkPictures();

// Radio button pictures, index (selected ? 4 : 0) + look.
const std::array<rt::PicturePtr, 8>& optionPictures();

}  // namespace controls::skins
