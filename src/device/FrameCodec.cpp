#include "device/FrameCodec.h"

#include <utility>

namespace FrameCodec {

namespace {

const unsigned char scrambleKey[8] = {'K', 'e', 'L', 'm', 'v', 'Q', 'a', 'x'};

unsigned char nibbleSwap(unsigned char x)
{
    return static_cast<unsigned char>((x << 4) | (x >> 4));
}

void exchangePairs(unsigned char *b)
{
    std::swap(b[0], b[5]);
    std::swap(b[1], b[4]);
    std::swap(b[2], b[7]);
    std::swap(b[3], b[6]);
}

} // namespace

unsigned char checksum(const unsigned char *seven)
{
    unsigned sum = 0;
    for (int i = 0; i < 7; ++i)
        sum += seven[i];
    return static_cast<unsigned char>(~sum & 0xFF);
}

void scramble(unsigned char *b, const unsigned char *code)
{
    exchangePairs(b);
    for (int i = 1; i <= 6; ++i)
        b[i] ^= code[i];
    // Rotate the eight bytes, b[0] most significant, left by three bits.
    const unsigned char first = b[0];
    for (int i = 0; i < 7; ++i)
        b[i] = static_cast<unsigned char>((b[i] << 3) | (b[i + 1] >> 5));
    b[7] = static_cast<unsigned char>((b[7] << 3) | (first >> 5));
    for (int i = 0; i < 8; ++i)
        b[i] = static_cast<unsigned char>(b[i] + nibbleSwap(scrambleKey[i]));
}

void descramble(unsigned char *b, const unsigned char *code)
{
    for (int i = 0; i < 8; ++i)
        b[i] = static_cast<unsigned char>(b[i] - nibbleSwap(scrambleKey[i]));
    const unsigned char last = b[7];
    for (int i = 7; i > 0; --i)
        b[i] = static_cast<unsigned char>((b[i] >> 3) | (b[i - 1] << 5));
    b[0] = static_cast<unsigned char>((b[0] >> 3) | (last << 5));
    for (int i = 1; i <= 6; ++i)
        b[i] ^= code[i];
    exchangePairs(b);
}

bool applySecrecyCode(const QString &sCode, unsigned char *code)
{
    if (sCode.size() != 6)
        return false;
    for (int i = 0; i < 6; ++i)
        code[1 + i] = static_cast<unsigned char>(sCode.at(i).toLatin1());
    return true;
}

QByteArray toHex(const unsigned char *data, int length)
{
    if (length <= 0)
        return {};
    return QByteArray(reinterpret_cast<const char *>(data), length).toHex();
}

} // namespace FrameCodec
