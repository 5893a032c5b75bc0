#pragma once

#include <QByteArray>
#include <QString>

#include <array>

// The frame rules shared by the link and the virtual mouse: checksum and the
// scrambling of the eight payload bytes of command and answer frames.
namespace FrameCodec {

constexpr int FrameSize = 9; // report id, command byte, six parameters, checksum
using SecrecyCode = std::array<unsigned char, 8>;

// 0xFF minus the sum of the seven bytes (modulo 256).
unsigned char checksum(const unsigned char *seven);

// In place on eight bytes; bytes 0 and 7 of the code are never used.
void scramble(unsigned char *eight, const unsigned char *code);
void descramble(unsigned char *eight, const unsigned char *code);

// Bytes 1..6 from the six characters of sCode (Latin-1). False, and code
// untouched, when sCode is not exactly six characters long.
bool applySecrecyCode(const QString &sCode, unsigned char *code);

// "00 8c 01" style text of bytes, lower case, no separators ("008c01").
QByteArray toHex(const unsigned char *data, int length);

} // namespace FrameCodec
