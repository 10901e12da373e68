#pragma once

#include "cipher/cipher_key.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The cipher over a stream of bytes, block by block, with the same result as the byte-wise
// definition (`KeyByte` on each byte in turn).
//
// The key sum of a byte depends on the histories only through the eight sums w[i] of the bytes
// read and written i+1 positions earlier, each 0..510, so every code's term is tabulated once per
// key. Each byte's sum is first formed in 32.32 fixed point, newest term last so that only one
// addition waits for the byte before. When that sum lies clearly away from a half, the exact sum
// (added in extended precision and rounded to a double after every addition) is known to round to
// the same integer; otherwise the exact sum is formed from the extended tables.
class CipherStream {
public:
    CipherStream(const CipherCodes& codes, CipherDirection direction);

    // Transforms `size` bytes; `in` and `out` may be the same buffer.
    void transform(const std::uint8_t* in, std::uint8_t* out, std::size_t size);

    // The key byte for the history sums w (w[0] the newest), by the fast route with its fallback,
    // and by the exact route alone.
    std::uint8_t keyByte(const std::array<int, 8>& w);
    std::uint8_t exactKeyByte(const std::array<int, 8>& w) const;

    // How many bytes so far needed the exact route.
    std::uint64_t exactFallbacks() const { return m_exactFallbacks; }
    // The distance from a half below which a fast sum is not trusted.
    double guard() const;

private:
    static constexpr int kTableSize = 512;

    template <CipherDirection direction> void run(const std::uint8_t* in, std::uint8_t* out, std::size_t size);

    CipherDirection m_direction;
    // Extended terms of the codes in use, in key order; fixed-point terms (units of 2^-32) of all
    // eight positions, zero for an unused code.
    std::vector<int> m_active;
    std::vector<long double> m_exact;
    std::vector<std::int64_t> m_fixed;
    std::uint32_t m_guard = 0; // in units of 2^-32
    // Sums of the last eight bytes read and written, the newest first.
    std::array<std::uint32_t, 8> m_sums{};
    std::uint64_t m_exactFallbacks = 0;
};
