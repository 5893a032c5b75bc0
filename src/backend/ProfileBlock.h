#pragma once

// Byte offsets inside the 128-byte profile blocks of a "560" mouse. Block 0
// holds device-wide settings, blocks 1..4 device profiles 1..4.
namespace ProfileBlock {

// Block 0
constexpr int KeyMatrixBankMode = 2; // 7, 15 or 31 by gun count
constexpr int DeviceColours = 24;    // 24 bytes: eight colours R, G, B (colourful chips)
constexpr int DpiStageCount = 70;

// Blocks 1..4
constexpr int GunFlags = 65;     // bit 2 cleared when gun data is sent
constexpr int LightEffect = 71;  // kind, value A, value B
constexpr int GunPresent = 78;   // 0xF0
constexpr int GunValues = 79;    // shot count, X, Y
constexpr int DpiHighRange = 82; // 82 and 83: stages of 12800 and more
constexpr int DpiX = 84;         // eight stage codes
constexpr int DpiY = 92;         // eight stage codes
constexpr int DpiEnable = 100;   // bit s for stage s + 1

// Block 1
constexpr int ProfileColours = 104; // 24 bytes: eight colours (other chips)

constexpr int GunFlagBit = 0x04;
constexpr unsigned char GunPresentMark = 0xF0;

} // namespace ProfileBlock
