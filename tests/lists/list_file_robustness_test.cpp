#include "lists/list_file.h"
#include "lists/list_file_stream.h"
#include "platform/torvane_error.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

#include <random>

namespace {

// An int64 property the writer never produces, placed before TabOrder.
QByteArray withBigProperty(QByteArray stream) {
    return stream.insert(stream.indexOf("\x08TabOrder"), QByteArray("\x03"
                                                                    "Big\x13\x01\x02\x03\x04\x05\x06\x07\x08",
                                                                    13));
}

// Valid streams to mutate, written by the encoder (the exact bytes are checked elsewhere).
std::vector<QByteArray> seedStreams() {
    const auto list = [](std::initializer_list<const char*> titles) {
        TaskList tasks;
        for (const char* t : titles)
            tasks.push_back(TaskEntry{QString::fromUtf8(t), 0});
        return tasks;
    };
    return {
        encodeListStream({}),
        encodeListFile({}, {}),
        encodeListFile(list({"xterm", "Caf\xC3\xA9", "\xE4\xBB\xBB\xE5\x8A\xA1", ""}), list({"bad one"})),
        withBigProperty(encodeListFile(list({"a"}), list({"\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1"}))),
        encodeListFile(TaskList{{QString(300, QLatin1Char('z')), 0}}, {}),
    };
}

bool isListedError(const QString& text) {
    static const QRegularExpression property(
        QStringLiteral("\\AError reading tmpBox\\..*: (Stream read error|Invalid property value)\\z"),
        QRegularExpression::DotMatchesEverythingOption);
    return text == kInvalidStreamFormat || text == kStreamReadError || property.match(text).hasMatch() ||
           QRegularExpression(QStringLiteral("\\AList index out of bounds \\(\\d+\\)\\z")).match(text).hasMatch();
}

QByteArray mutate(QByteArray bytes, std::mt19937& rng) {
    const auto pick = [&rng](qsizetype below) {
        return below <= 0 ? 0 : qsizetype(std::uniform_int_distribution<qsizetype>(0, below - 1)(rng));
    };
    const int edits = 1 + int(pick(4));
    for (int e = 0; e < edits; ++e) {
        switch (pick(6)) {
        case 0: // truncate
            bytes.truncate(pick(bytes.size() + 1));
            break;
        case 1: // flip a byte
            if (!bytes.isEmpty())
                bytes[pick(bytes.size())] = char(pick(256));
            break;
        case 2: // insert random bytes
            bytes.insert(pick(bytes.size() + 1), QByteArray(1 + pick(8), char(pick(256))));
            break;
        case 3: // remove a run
            bytes.remove(pick(bytes.size() + 1), 1 + pick(16));
            break;
        case 4: { // plant a hostile 32-bit length
            static const quint32 lengths[] = {0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000000u, 0x40000000u, 0x01000000u};
            const quint32 v = lengths[pick(5)];
            const qsizetype at = pick(bytes.size() + 1);
            bytes.insert(at, QByteArray(reinterpret_cast<const char*>(&v), 4));
            break;
        }
        default: // duplicate a slice (repeats values and markers)
            if (!bytes.isEmpty()) {
                const qsizetype from = pick(bytes.size());
                bytes.insert(pick(bytes.size() + 1), bytes.mid(from, 1 + pick(40)));
            }
            break;
        }
    }
    return bytes;
}

TEST(ListFileRobustness, MutatedStreamsGiveOnlyListedErrors) {
    std::mt19937 rng(20261209);
    const std::vector<QByteArray> seeds = seedStreams();
    int decoded = 0;
    int rejected = 0;
    for (int i = 0; i < 30000; ++i) {
        const QByteArray bytes = mutate(seeds[i % seeds.size()], rng);
        try {
            const QStringList items = decodeListStream(bytes);
            ++decoded;
            // What was read must survive a save and a load unchanged.
            ASSERT_EQ(decodeListStream(encodeListStream(items)), items) << bytes.toHex().constData();
            const ListFileSections sections = splitListItems(items);
            ASSERT_TRUE(sections.error.isEmpty() || isListedError(sections.error));
        } catch (const TorvaneError& e) {
            ++rejected;
            ASSERT_TRUE(isListedError(e.text())) << qPrintable(e.text()) << " for " << bytes.toHex().constData();
        }
    }
    // Both outcomes must be exercised, or the mutations are not reaching the reader.
    EXPECT_GT(decoded, 1000);
    EXPECT_GT(rejected, 1000);
}

TEST(ListFileRobustness, EveryPrefixOfAStreamIsAReadError) {
    for (const QByteArray& seed : seedStreams()) {
        for (qsizetype n = 0; n < seed.size() - 1; ++n) {
            try {
                decodeListStream(seed.left(n));
                FAIL() << "prefix of " << n << " bytes decoded";
            } catch (const TorvaneError& e) {
                ASSERT_TRUE(e.text() == kStreamReadError || e.text().endsWith(QStringLiteral(": Stream read error")))
                    << qPrintable(e.text());
            }
        }
    }
}

} // namespace
