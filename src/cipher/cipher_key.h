#pragma once

#include <QString>
#include <array>
#include <cstdint>

class QRandomGenerator;

// The eight number codes of a key, each 0..169 once read; a code of 0 takes no part.
using CipherCodes = std::array<std::uint8_t, 8>;
// The last eight bytes read or written, the newest first.
using CipherHistory = std::array<std::uint8_t, 8>;

enum class CipherDirection { Encrypt, Decrypt };

inline constexpr int kCipherCodeCount = 8;
// The history sums w = P[i] + Q[i] range over 0..kCipherMaxSum.
inline constexpr int kCipherMaxSum = 510;

// One code from the text of its box: empty is 0, otherwise the low 8 bits of its digits, and
// 170..255 fold down to 1..86.
std::uint8_t cipherCodeFromText(const QString& text);

// The term that code `code` (1..169) adds to the key sum for the history sum `w`, in extended
// precision and with its sign. Code 0 contributes nothing and gives 0.
long double cipherTerm(int code, int w);

// The key byte for the histories P (read) and Q (written) under the codes C.
std::uint8_t KeyByte(const CipherHistory& P, const CipherHistory& Q, const CipherCodes& C);

// The key sum rounded to a double after every addition, before the final rounding to a byte.
double cipherKeySum(const std::array<int, 8>& w, const CipherCodes& C);

// The key byte of a key sum: nearest integer (halves to even), low 8 bits in two's complement.
std::uint8_t cipherByteFromSum(double sum);

// A code as "Randomize" draws it: last two digits each 1..8, hundreds 0 or 1.
int randomCipherCode(QRandomGenerator& random);

// The text of a code in its box: a leading "0" below 100.
QString FormatCode(int code);
