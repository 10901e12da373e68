#include "cipher/cipher_stream.h"

#include <algorithm>
#include <cmath>

namespace {

// Fixed-point terms count units of 2^-32; |term| < 2^22 and eight of them fit an int64 easily.
constexpr int kFractionBits = 32;
constexpr std::int64_t kHalf = std::int64_t{1} << (kFractionBits - 1);
constexpr long double kFixedScale = 4294967296.0L; // 2^32

// The nearest integer of a biased fixed-point sum (sum + 1/2), as a byte. Halves never get here:
// they take the exact route.
inline std::uint8_t byteOfBiased(std::int64_t biased) {
    return static_cast<std::uint8_t>(static_cast<std::uint64_t>(biased) >> kFractionBits);
}

} // namespace

CipherStream::CipherStream(const CipherCodes& codes, CipherDirection direction)
    : m_direction(direction), m_fixed(static_cast<std::size_t>(kCipherCodeCount) * kTableSize, 0) {
    long double magnitude = 0;
    for (int i = 0; i < kCipherCodeCount; ++i) {
        if (codes[i] == 0)
            continue;
        m_active.push_back(i);
        long double largest = 0;
        for (int w = 0; w < kTableSize; ++w) {
            const long double term = w <= kCipherMaxSum ? cipherTerm(codes[i], w) : 0.0L;
            m_exact.push_back(term);
            m_fixed[static_cast<std::size_t>(i) * kTableSize + w] = llrintl(term * kFixedScale);
            largest = std::max(largest, fabsl(term));
        }
        magnitude += largest;
    }
    // The exact sum strays from the true sum of the terms by at most eight roundings to a double of
    // partial sums no larger than `magnitude` (under 2^-49 of it); the fixed-point sum by at most
    // eight half units (2^-30). The guard leaves a wide margin over both.
    const double guard = std::ldexp(static_cast<double>(magnitude) + 1.0, -40) + std::ldexp(1.0, -26);
    m_guard = static_cast<std::uint32_t>(std::ceil(std::ldexp(guard, kFractionBits)));
}

double CipherStream::guard() const {
    return std::ldexp(static_cast<double>(m_guard), -kFractionBits);
}

std::uint8_t CipherStream::exactKeyByte(const std::array<int, 8>& w) const {
    double sum = 0;
    for (std::size_t j = 0; j < m_active.size(); ++j) {
        const long double wide = static_cast<long double>(sum) + m_exact[j * kTableSize + w[m_active[j]]];
        sum = static_cast<double>(wide);
    }
    return cipherByteFromSum(sum);
}

std::uint8_t CipherStream::keyByte(const std::array<int, 8>& w) {
    std::int64_t biased = kHalf;
    for (int i = 0; i < kCipherCodeCount; ++i)
        biased += m_fixed[static_cast<std::size_t>(i) * kTableSize + w[i]];
    // The fraction of sum + 1/2 lies within the guard of a whole number exactly when the sum lies
    // within it of a half.
    if (static_cast<std::uint32_t>(biased) - m_guard < ~std::uint32_t{0} - 2 * m_guard + 1)
        return byteOfBiased(biased);
    ++m_exactFallbacks;
    return exactKeyByte(w);
}

template <CipherDirection direction>
void CipherStream::run(const std::uint8_t* in, std::uint8_t* out, std::size_t size) {
    const std::int64_t* t0 = m_fixed.data();
    const std::int64_t* t1 = t0 + 1 * kTableSize;
    const std::int64_t* t2 = t0 + 2 * kTableSize;
    const std::int64_t* t3 = t0 + 3 * kTableSize;
    const std::int64_t* t4 = t0 + 4 * kTableSize;
    const std::int64_t* t5 = t0 + 5 * kTableSize;
    const std::int64_t* t6 = t0 + 6 * kTableSize;
    const std::int64_t* t7 = t0 + 7 * kTableSize;
    const std::uint32_t guard = m_guard;
    const std::uint32_t trusted = ~std::uint32_t{0} - 2 * m_guard + 1;
    std::uint32_t s0 = m_sums[0], s1 = m_sums[1], s2 = m_sums[2], s3 = m_sums[3];
    std::uint32_t s4 = m_sums[4], s5 = m_sums[5], s6 = m_sums[6], s7 = m_sums[7];
    for (std::size_t n = 0; n < size; ++n) {
        // Only the newest term waits for the byte before; the others are summed meanwhile.
        const std::int64_t older = (((t1[s1] + t2[s2]) + (t3[s3] + t4[s4])) + ((t5[s5] + t6[s6]) + t7[s7])) + kHalf;
        const std::int64_t biased = t0[s0] + older;
        std::uint8_t k = byteOfBiased(biased);
        if (static_cast<std::uint32_t>(biased) - guard >= trusted) [[unlikely]] {
            ++m_exactFallbacks;
            k = exactKeyByte({static_cast<int>(s0), static_cast<int>(s1), static_cast<int>(s2), static_cast<int>(s3),
                              static_cast<int>(s4), static_cast<int>(s5), static_cast<int>(s6), static_cast<int>(s7)});
        }
        const std::uint8_t x = in[n];
        const std::uint8_t y =
            direction == CipherDirection::Encrypt ? static_cast<std::uint8_t>(x + k) : static_cast<std::uint8_t>(x - k);
        out[n] = y;
        s7 = s6;
        s6 = s5;
        s5 = s4;
        s4 = s3;
        s3 = s2;
        s2 = s1;
        s1 = s0;
        s0 = std::uint32_t{x} + y;
    }
    m_sums = {s0, s1, s2, s3, s4, s5, s6, s7};
}

void CipherStream::transform(const std::uint8_t* in, std::uint8_t* out, std::size_t size) {
    if (m_direction == CipherDirection::Encrypt)
        run<CipherDirection::Encrypt>(in, out, size);
    else
        run<CipherDirection::Decrypt>(in, out, size);
}
