#include "backend/LightingEffect.h"

namespace LightingEffect {

namespace {

unsigned char brightness(unsigned char option2)
{
    static constexpr unsigned char levels[] = {0x40, 0x80, 0xC0, 0xFF};
    return option2 >= 1 && option2 <= 4 ? levels[option2 - 1] : 0;
}

unsigned char speed(unsigned char effect, unsigned char option1)
{
    static constexpr unsigned char slowFast[5] = {10, 7, 5, 3, 1};
    static constexpr unsigned char effect2[5] = {20, 18, 15, 14, 13};
    static constexpr unsigned char effect9[5] = {15, 13, 10, 7, 5};
    static constexpr unsigned char effect10[5] = {30, 28, 26, 24, 23};
    if (option1 > 4)
        return 0;
    switch (effect) {
    case 1:
    case 3:
    case 6:
        return slowFast[option1];
    case 2:
        return effect2[option1];
    case 9:
        return effect9[option1];
    case 10:
        return effect10[option1];
    default:
        return 0;
    }
}

unsigned char fromTable(const unsigned char (&table)[5], unsigned char option)
{
    return option <= 4 ? table[option] : 0;
}

} // namespace

Bytes colourful(unsigned char effect, unsigned char option1, unsigned char option2)
{
    if (effect < 1 || effect > 10)
        return {};
    const bool lit = effect != 3 && effect != 6 && effect != 7;
    return {effect, lit ? brightness(option2) : static_cast<unsigned char>(0),
            speed(effect, option1)};
}

Bytes plain(unsigned char effect, unsigned char option1, unsigned char option2)
{
    static constexpr unsigned char breathing[5] = {1, 3, 5, 7, 10};
    static constexpr unsigned char cycle[5] = {30, 24, 18, 12, 6};
    switch (effect) {
    case 0:
        return {1, fromTable(breathing, option2), 1};
    case 1:
        return {2, static_cast<unsigned char>(option1 + 1), 1};
    case 2:
        return {3, fromTable(cycle, option1), 1};
    case 4:
        return {2, static_cast<unsigned char>(option1 + 1), 3};
    default:
        return {};
    }
}

} // namespace LightingEffect
