#include "cipher/cipher_key.h"

#include "core/digits_to_int.h"

#include <QRandomGenerator>
#include <cmath>

std::uint8_t cipherCodeFromText(const QString& text) {
    if (text.isEmpty())
        return 0;
    int code = DigitsToInt(text) & 0xFF;
    if (code > 169)
        code -= 169;
    return static_cast<std::uint8_t>(code);
}

namespace {

// b^x as e^(x ln b), in extended precision, exactly as the key has always computed powers.
long double power(long double base, long double exponent) {
    return expl(exponent * logl(base));
}

// The unsigned magnitude of a code's term; the sign comes from the row.
long double termMagnitude(int row, int c, int d, int w) {
    switch (row) {
    case 0:
        return d;
    case 1:
        return d * w;
    case 3:
        return power((w % 2) + 1, d);
    case 5:
        return power(d + 1, w % 3);
    case 7:
        return c * sinl(w);
    case 9:
        return c * cosl(w);
    case 11:
        return c * logl(w + 1);
    case 13:
        return c * expl((w % 10) + 1);
    case 15:
        return d * w * w;
    }
    return 0;
}

} // namespace

long double cipherTerm(int code, int w) {
    if (code <= 0 || code > 169)
        return 0;
    const int q = code / 10;
    const int d = code % 10;
    // Rows come in pairs after the first: odd rows add, even rows subtract the same term.
    if (q == 0)
        return d;
    const int row = (q % 2 == 1) ? q : q - 1;
    const long double magnitude = termMagnitude(row, code, d, w);
    return (q % 2 == 1) ? magnitude : -magnitude;
}

double cipherKeySum(const std::array<int, 8>& w, const CipherCodes& C) {
    double sum = 0;
    for (int i = 0; i < kCipherCodeCount; ++i) {
        if (C[i] == 0)
            continue;
        // Added in extended precision, then stored back as a double.
        const long double wide = static_cast<long double>(sum) + cipherTerm(C[i], w[i]);
        sum = static_cast<double>(wide);
    }
    return sum;
}

std::uint8_t cipherByteFromSum(double sum) {
    return static_cast<std::uint8_t>(static_cast<std::uint64_t>(std::llrint(sum)) & 0xFF);
}

std::uint8_t KeyByte(const CipherHistory& P, const CipherHistory& Q, const CipherCodes& C) {
    std::array<int, 8> w{};
    for (int i = 0; i < kCipherCodeCount; ++i)
        w[i] = P[i] + Q[i];
    return cipherByteFromSum(cipherKeySum(w, C));
}

int randomCipherCode(QRandomGenerator& random) {
    const int a = static_cast<int>(random.bounded(1, 9));
    const int b = static_cast<int>(random.bounded(1, 9));
    const int r = static_cast<int>(random.bounded(0, 2));
    return a + 10 * b + 100 * r;
}

QString FormatCode(int code) {
    const QString digits = QString::number(code);
    return code < 100 ? QStringLiteral("0") + digits : digits;
}
