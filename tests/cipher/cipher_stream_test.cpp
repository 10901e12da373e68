#include "cipher/cipher_stream.h"
#include "support/literal_cipher.h"

#include <QByteArray>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

QByteArray randomBytes(QRandomGenerator& random, qsizetype size) {
    QByteArray data(size, '\0');
    for (qsizetype n = 0; n < size; ++n)
        data[n] = static_cast<char>(random.bounded(256));
    return data;
}

CipherCodes randomCodes(QRandomGenerator& random) {
    CipherCodes codes{};
    for (auto& code : codes)
        code = random.bounded(4) == 0 ? 0 : static_cast<std::uint8_t>(random.bounded(1, 170));
    return codes;
}

// The stream's output, fed in pieces of varying size so that state must carry across calls.
QByteArray streamed(const QByteArray& data, const CipherCodes& codes, CipherDirection direction,
                    QRandomGenerator& random) {
    CipherStream stream(codes, direction);
    QByteArray out(data.size(), '\0');
    qsizetype done = 0;
    while (done < data.size()) {
        const qsizetype piece = std::min<qsizetype>(data.size() - done, random.bounded(1, 5000));
        stream.transform(reinterpret_cast<const std::uint8_t*>(data.constData()) + done,
                         reinterpret_cast<std::uint8_t*>(out.data()) + done, static_cast<std::size_t>(piece));
        done += piece;
    }
    return out;
}

const CipherCodes kKeys[] = {
    {0, 0, 0, 0, 0, 0, 0, 0},              // no key at all
    {1, 0, 0, 0, 0, 0, 0, 0},              // a constant shift
    {15, 27, 33, 48, 52, 66, 155, 163},    // integers and powers only
    {77, 85, 93, 104, 118, 122, 137, 149}, // sin, cos, ln, e^x rows
    {169, 169, 169, 169, 169, 169, 169, 169},
    {0, 0, 0, 0, 0, 0, 0, 138},        // only the oldest history counts
    {11, 88, 111, 19, 71, 18, 28, 81}, // codes as "Randomize" makes them (188 -> 19)
};

} // namespace

TEST(CipherStream, MatchesTheByteWiseDefinition) {
    QRandomGenerator random(2024);
    for (const CipherCodes& codes : kKeys) {
        const QByteArray plain = randomBytes(random, 40000);
        for (const auto direction : {CipherDirection::Encrypt, CipherDirection::Decrypt}) {
            const bool encrypt = direction == CipherDirection::Encrypt;
            ASSERT_EQ(streamed(plain, codes, direction, random), literal::cipher(plain, codes, encrypt))
                << "code 1 " << int(codes[0]) << (encrypt ? " encrypt" : " decrypt");
        }
    }
}

TEST(CipherStream, MatchesTheByteWiseDefinitionForRandomKeys) {
    QRandomGenerator random(77);
    for (int round = 0; round < 60; ++round) {
        const CipherCodes codes = randomCodes(random);
        const QByteArray plain = randomBytes(random, random.bounded(1, 20000));
        ASSERT_EQ(streamed(plain, codes, CipherDirection::Encrypt, random), literal::cipher(plain, codes, true))
            << "round " << round;
    }
}

TEST(CipherStream, FastSumAgreesWithExactSumOnRandomHistories) {
    QRandomGenerator random(5);
    for (int round = 0; round < 200; ++round) {
        const CipherCodes codes = randomCodes(random);
        CipherStream stream(codes, CipherDirection::Encrypt);
        for (int n = 0; n < 2000; ++n) {
            std::array<int, 8> w{};
            CipherHistory P{}, Q{};
            for (int i = 0; i < 8; ++i) {
                P[i] = static_cast<std::uint8_t>(random.bounded(256));
                Q[i] = static_cast<std::uint8_t>(random.bounded(256));
                w[i] = P[i] + Q[i];
            }
            const std::uint8_t expected = literal::keyByte(P, Q, codes);
            ASSERT_EQ(stream.exactKeyByte(w), expected);
            ASSERT_EQ(stream.keyByte(w), expected);
        }
    }
}

TEST(CipherStream, SumsNearAHalfTakeTheExactRoute) {
    // Keys and history sums whose key sum lies within the fast route's guard of a half (found by
    // a search over random keys; about one byte in 250000 is like this).
    const struct {
        CipherCodes codes;
        std::array<int, 8> w;
    } cases[] = {
        {{23, 134, 139, 8, 0, 0, 103, 105}, {279, 324, 265, 20, 417, 431, 280, 439}},
        {{93, 24, 61, 91, 133, 136, 33, 0}, {102, 502, 276, 365, 87, 107, 266, 160}},
        {{89, 145, 60, 0, 96, 134, 0, 68}, {138, 63, 157, 24, 93, 282, 5, 72}},
        {{96, 145, 92, 31, 74, 0, 124, 131}, {16, 113, 339, 420, 300, 106, 11, 485}},
        {{138, 37, 0, 161, 0, 116, 136, 83}, {425, 198, 490, 242, 390, 456, 313, 28}},
    };
    for (const auto& c : cases) {
        CipherHistory P{}, Q{};
        for (int i = 0; i < 8; ++i) {
            P[i] = static_cast<std::uint8_t>(std::min(c.w[i], 255));
            Q[i] = static_cast<std::uint8_t>(c.w[i] - P[i]);
        }
        CipherStream stream(c.codes, CipherDirection::Encrypt);
        EXPECT_EQ(stream.keyByte(c.w), literal::keyByte(P, Q, c.codes));
        EXPECT_EQ(stream.exactFallbacks(), 1u);
    }
}

TEST(CipherStream, DecryptUndoesEncrypt) {
    QRandomGenerator random(31);
    for (int round = 0; round < 20; ++round) {
        const CipherCodes codes = randomCodes(random);
        const QByteArray plain = randomBytes(random, random.bounded(0, 30000));
        const QByteArray once = streamed(plain, codes, CipherDirection::Encrypt, random);
        const QByteArray twice = streamed(once, codes, CipherDirection::Encrypt, random);
        EXPECT_EQ(streamed(once, codes, CipherDirection::Decrypt, random), plain);
        // Encrypting twice needs decrypting twice.
        EXPECT_EQ(
            streamed(streamed(twice, codes, CipherDirection::Decrypt, random), codes, CipherDirection::Decrypt, random),
            plain);
    }
}

TEST(CipherStream, FirstBytesSeeOnlyTheHistorySoFar) {
    // Code 1 at position 0 adds 1 to every byte; code 11 at position 7 adds 1 * w of the byte
    // eight places back, which is absent (0) for the first eight bytes.
    const CipherCodes codes{1, 0, 0, 0, 0, 0, 0, 11};
    const QByteArray plain(10, '\x10');
    CipherStream stream(codes, CipherDirection::Encrypt);
    QByteArray out(plain.size(), '\0');
    stream.transform(reinterpret_cast<const std::uint8_t*>(plain.constData()),
                     reinterpret_cast<std::uint8_t*>(out.data()), static_cast<std::size_t>(plain.size()));
    for (int n = 0; n < 8; ++n)
        EXPECT_EQ(static_cast<std::uint8_t>(out[n]), 0x11) << n;
    // Byte 8 sees w = 0x10 + 0x11 from byte 0.
    EXPECT_EQ(static_cast<std::uint8_t>(out[8]), 0x10 + 1 + 0x21);
}
