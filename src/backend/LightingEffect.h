#pragma once

// Translation of the lighting page's effect choice into the three bytes the
// mouse takes: the effect kind and two values.
namespace LightingEffect {

struct Bytes
{
    unsigned char kind = 0;
    unsigned char a = 0;
    unsigned char b = 0; // colourful chips: speed; others: mode
};

// Chips with eight freely coloured zones: kind, brightness, speed.
Bytes colourful(unsigned char effect, unsigned char option1, unsigned char option2);
// Chips with the short effect list: kind, value, mode.
Bytes plain(unsigned char effect, unsigned char option1, unsigned char option2);

} // namespace LightingEffect
