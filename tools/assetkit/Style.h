// The look every generated picture shares: a haunted hollow by moonlight,
// spooky but cosy. Light always comes from the top left.
#pragma once

#include <cstdint>

namespace asset::style {

struct Rgb {
    double r, g, b;
};

constexpr Rgb Rgb8(uint32_t hex) {
    return {((hex >> 16) & 0xFF) / 255.0, ((hex >> 8) & 0xFF) / 255.0, (hex & 0xFF) / 255.0};
}

// Night
constexpr Rgb kMidnight = Rgb8(0x0E1230);
constexpr Rgb kDeepBlue = Rgb8(0x1B2454);
constexpr Rgb kViolet = Rgb8(0x4B2E7A);
constexpr Rgb kDusk = Rgb8(0x6E4AA8);
constexpr Rgb kMoonlight = Rgb8(0xE8ECFF);
constexpr Rgb kFog = Rgb8(0xA9B4D6);
// Earth and wood
constexpr Rgb kMoss = Rgb8(0x4F7A3A);
constexpr Rgb kDarkMoss = Rgb8(0x2C4A25);
constexpr Rgb kBark = Rgb8(0x4A3322);
constexpr Rgb kWood = Rgb8(0x7A5233);
constexpr Rgb kLightWood = Rgb8(0xA8784A);
constexpr Rgb kIron = Rgb8(0x3A3C46);
constexpr Rgb kIronHighlight = Rgb8(0x8A8FA3);
constexpr Rgb kStone = Rgb8(0x6F7482);
// Warm lights
constexpr Rgb kPumpkin = Rgb8(0xF07A1A);
constexpr Rgb kCandle = Rgb8(0xFFC94A);
constexpr Rgb kGold = Rgb8(0xE8B530);
constexpr Rgb kBone = Rgb8(0xF2E8D0);
// Text on plates
constexpr Rgb kInk = Rgb8(0x1A1020);

// Direction the light comes from (unit vector, screen coordinates: y down).
constexpr double kLightX = -0.7071;
constexpr double kLightY = -0.7071;

}  // namespace asset::style
