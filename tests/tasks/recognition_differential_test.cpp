// The fast recognition against the literal step-by-step one, on random inputs over small alphabets
// so that runs collide often. Seeds are fixed: a failure names its seed and reproduces.
#include "support/literal_recognition.h"
#include "tasks/recognition.h"
#include "tasks/recognition_runs.h"
#include "tasks/task_list_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

namespace {

const std::vector<std::u16string> kAlphabets = {
    u"ab",
    u"a\uFFFDb", // undecodable characters, which match nothing
    u"abc",
    u"aA",
    u"abcd",
    u"xyz ",
    u"abcdefghijklmnopqrstuvwxyz",
    // Lone and paired surrogate halves are plain code units here.
    std::u16string{u'a', char16_t(0xD83D), char16_t(0xDE00), char16_t(0xDC00)},
};

struct Gen {
    std::mt19937 rng;
    explicit Gen(unsigned seed) : rng(seed) {}

    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    bool coin(int percent = 50) { return uniform(1, 100) <= percent; }

    // Mostly short texts, some up to 300 code units.
    int length() {
        const int roll = uniform(1, 100);
        return roll <= 65 ? uniform(0, 14) : roll <= 90 ? uniform(0, 60) : uniform(0, 300);
    }
    QString text(const std::u16string& alphabet, int len) {
        QString s;
        for (int i = 0; i < len; ++i)
            s.append(QChar(alphabet[static_cast<std::size_t>(uniform(0, int(alphabet.size()) - 1))]));
        return s;
    }
    // A text related to `x`: a piece of it, it with edits, or it inside other text.
    QString related(const QString& x, const std::u16string& alphabet) {
        QString y;
        switch (uniform(0, 3)) {
        case 0: {
            const int from = x.isEmpty() ? 0 : uniform(0, int(x.size()) - 1);
            y = x.mid(from, uniform(0, int(x.size()) - from));
            break;
        }
        case 1:
            y = x;
            for (int edits = uniform(1, 4); edits > 0 && !y.isEmpty(); --edits)
                y[uniform(0, int(y.size()) - 1)] = QChar(alphabet[std::size_t(uniform(0, int(alphabet.size()) - 1))]);
            break;
        case 2:
            y = text(alphabet, uniform(0, 5)) + x + text(alphabet, uniform(0, 5));
            break;
        default:
            y = text(alphabet, length());
        }
        return y;
    }
    // Every combination of the switches comes up in turn (`round` picks it); the numbers are random.
    RecognitionOptions options(int round) {
        RecognitionOptions o;
        o.cleverProcessing = (round & 1) == 0;
        o.percentMode = (round & 2) != 0;
        o.lengthFilter = (round & 4) != 0;
        o.minimumLengthFilter = (round & 8) != 0;
        o.runLength = o.percentMode ? uniform(0, 100) : uniform(0, 12);
        o.minimumLength = uniform(0, 10);
        return o;
    }
};

std::string describe(const QString& x, const QString& y) {
    return "x=\"" + x.toStdString() + "\" y=\"" + y.toStdString() + "\"";
}

// Naive longest common run, by dynamic programming; U+FFFD matches nothing.
qsizetype longestCommonRunByTable(const QString& a, const QString& b) {
    std::vector<qsizetype> prev(std::size_t(b.size()) + 1, 0), cur(prev.size(), 0);
    qsizetype best = 0;
    for (qsizetype i = 1; i <= a.size(); ++i) {
        for (qsizetype j = 1; j <= b.size(); ++j) {
            cur[std::size_t(j)] = a[i - 1] == b[j - 1] && a[i - 1] != QChar(0xFFFD) ? prev[std::size_t(j - 1)] + 1 : 0;
            best = std::max(best, cur[std::size_t(j)]);
        }
        std::swap(prev, cur);
    }
    return best;
}

} // namespace

TEST(RecognitionDifferential, ResemblanceMatchesLiteralInEveryMode) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        Gen g(seed);
        for (int i = 0; i < 1500; ++i) {
            const auto& alphabet = kAlphabets[std::size_t(g.uniform(0, int(kAlphabets.size()) - 1))];
            const QString x = g.text(alphabet, g.length());
            const QString y = g.coin(60) ? g.related(x, alphabet) : g.text(alphabet, g.length());
            const RecognitionOptions o = g.options(i);
            const std::string where = "seed " + std::to_string(seed) + " #" + std::to_string(i) + " " + describe(x, y);

            ASSERT_EQ(NamesResemble(x, y, o), literal::NamesResemble(x, y, o)) << where;
            const int a = g.uniform(-2, 13);
            ASSERT_EQ(ResembleByCount(x, y, a, o), literal::ResembleByCount(x, y, a, o)) << where << " a=" << a;
            const int p = g.uniform(-5, 105);
            ASSERT_EQ(ResembleByPercent(x, y, p, o), literal::ResembleByPercent(x, y, p, o)) << where << " p=" << p;
        }
    }
}

TEST(RecognitionDifferential, OutOfRangeRunLengthsMatchLiteral) {
    Gen g(77);
    for (int i = 0; i < 400; ++i) {
        const auto& alphabet = kAlphabets[std::size_t(g.uniform(0, 2))];
        const QString x = g.text(alphabet, g.uniform(0, 20));
        const QString y = g.related(x, alphabet);
        const RecognitionOptions o = g.options(i);
        for (std::int64_t amount : {std::int64_t(2147483647), std::int64_t(1000), std::int64_t(-2147483647)}) {
            ASSERT_EQ(ResembleByCount(x, y, amount, o),
                      literal::ResembleByCount(x, y, std::max<std::int64_t>(amount, -3), o))
                << describe(x, y) << " a=" << amount;
            ASSERT_EQ(ResembleByPercent(x, y, amount, o),
                      literal::ResembleByPercent(x, y, std::max<std::int64_t>(amount, -3), o))
                << describe(x, y) << " p=" << amount;
        }
    }
}

TEST(RecognitionDifferential, ListLookupsMatchLiteral) {
    for (unsigned seed = 11; seed <= 14; ++seed) {
        Gen g(seed);
        for (int i = 0; i < 1500; ++i) {
            const auto& alphabet = kAlphabets[std::size_t(g.uniform(0, 4))];
            const QString name = g.text(alphabet, g.uniform(0, 16));
            TaskList list;
            for (int n = g.uniform(0, 8); n > 0; --n) {
                const QString title = g.coin(25)   ? name
                                      : g.coin(50) ? g.related(name, alphabet)
                                                   : g.text(alphabet, g.uniform(0, 16));
                list.push_back({title, platform::WindowHandle(g.uniform(0, 4))});
            }
            const RecognitionOptions o = g.options(i);
            const LookupHandle handles[] = {0, LookupHandle(g.uniform(1, 5)), kNoHandleMarker};
            const LookupHandle handle = handles[g.uniform(0, 2)];
            const std::string where = "seed " + std::to_string(seed) + " #" + std::to_string(i);

            ASSERT_EQ(FindTask(list, name, handle, o), literal::FindTask(list, name, handle, o)) << where;
            ASSERT_EQ(FindTaskByName(list, name), literal::FindTaskByName(list, name)) << where;
            const auto h = platform::WindowHandle(g.uniform(0, 5));
            ASSERT_EQ(FindTaskByHandle(list, h), literal::FindTaskByHandle(list, h)) << where;
            TaskList fast = list, slow = list;
            const auto added = platform::WindowHandle(g.uniform(0, 5));
            ASSERT_EQ(AddTaskIfAbsent(fast, name, added, o), literal::AddTaskIfAbsent(slow, name, added, o)) << where;
            ASSERT_EQ(fast, slow) << where;
        }
    }
}

TEST(RecognitionDifferential, TextHelpersMatchLiteral) {
    Gen g(21);
    for (int i = 0; i < 3000; ++i) {
        const QString s = g.text(kAlphabets.back(), g.uniform(0, 20));
        const int from = g.uniform(-2, int(s.size()) + 3);
        const int to = g.uniform(-2, int(s.size()) + 3);
        ASSERT_EQ(SubText(s, from, to), literal::SubText(s, from, to)) << s.toStdString() << " " << from << " " << to;
        const int n = g.uniform(-3, int(s.size()) + 3);
        ASSERT_EQ(LimitNameLength(s, n), literal::LimitNameLength(s, n)) << n;
    }
}

TEST(RecognitionDifferential, CommonRunsMatchTableInBothLayouts) {
    Gen g(31);
    for (int i = 0; i < 3000; ++i) {
        const auto& alphabet = kAlphabets[std::size_t(g.uniform(0, int(kAlphabets.size()) - 1))];
        const QString a = g.text(alphabet, g.length());
        const QString b = g.coin() ? g.related(a, alphabet) : g.text(alphabet, g.length());
        const qsizetype expected = longestCommonRunByTable(a, b);
        const CommonRunFinder dense(a);
        const CommonRunFinder sparse(a, 0);
        ASSERT_FALSE(sparse.usesDenseTable());
        ASSERT_EQ(dense.longestCommonRun(b), expected) << describe(a, b);
        ASSERT_EQ(sparse.longestCommonRun(b), expected) << describe(a, b);
        for (qsizetype length : {expected - 1, expected, expected + 1}) {
            ASSERT_EQ(dense.sharesRun(b, length), length >= 1 && expected >= length) << describe(a, b) << length;
            ASSERT_EQ(sparse.sharesRun(b, length), length >= 1 && expected >= length) << describe(a, b) << length;
        }
    }
}

// A long name with thousands of distinct code units is too large for a table and takes the edge lists.
TEST(RecognitionDifferential, ManyDistinctUnitsUseEdgeLists) {
    QString name;
    for (int i = 0; i < 3000; ++i)
        name.append(QChar(char16_t(0x4E00 + i)));
    const CommonRunFinder finder(name);
    EXPECT_FALSE(finder.usesDenseTable());
    const QString inside = QStringLiteral("ab") + name.mid(1200, 40) + QStringLiteral("cd");
    EXPECT_EQ(finder.longestCommonRun(inside), 40);
    EXPECT_TRUE(finder.sharesRun(inside, 40));
    EXPECT_FALSE(finder.sharesRun(inside, 41));
}

// A spin edit text whose digits overflow fails exactly where the literal lookup reads it.
// Long lists over small alphabets, so that pieces are shared often and every length bucket, short
// and long piece, comes up.
TEST(RecognitionDifferential, IndexedLookupsMatchLiteral) {
    for (unsigned seed = 21; seed <= 23; ++seed) {
        Gen g(seed);
        for (int i = 0; i < 300; ++i) {
            const auto& alphabet = kAlphabets[std::size_t(g.uniform(0, int(kAlphabets.size()) - 1))];
            TaskList list;
            for (int n = g.uniform(0, 80); n > 0; --n)
                list.push_back({g.text(alphabet, g.length()), platform::WindowHandle(g.uniform(0, 40))});
            const TaskListIndex index(list);
            const RecognitionOptions o = g.options(i);
            for (int k = 0; k < 10; ++k) {
                const QString name =
                    list.empty() || g.coin(30)
                        ? g.text(alphabet, g.length())
                        : g.related(list[std::size_t(g.uniform(0, int(list.size()) - 1))].title, alphabet);
                const LookupHandle handles[] = {0, LookupHandle(g.uniform(1, 60)), kNoHandleMarker};
                const LookupHandle handle = handles[g.uniform(0, 2)];
                ASSERT_EQ(index.find(list, name, handle, o), literal::FindTask(list, name, handle, o))
                    << "seed " << seed << " #" << i << "/" << k;
            }
        }
    }
}

TEST(RecognitionDifferential, UnreadableNumbersFailWhereLiteralFails) {
    Gen g(41);
    const OptionNumber broken = OptionNumber::fromText("12345678901");
    for (int i = 0; i < 600; ++i) {
        const auto& alphabet = kAlphabets[std::size_t(g.uniform(0, 2))];
        const QString name = g.text(alphabet, g.uniform(0, 6));
        TaskList list;
        for (int n = g.uniform(0, 3); n > 0; --n)
            list.push_back(
                {g.coin(30) ? name : g.text(alphabet, g.uniform(0, 6)), platform::WindowHandle(g.uniform(0, 2))});
        RecognitionOptions o = g.options(i);
        if (g.coin())
            o.runLength = broken;
        else
            o.minimumLength = broken;
        const LookupHandle handle = LookupHandle(g.uniform(0, 2));
        auto outcome = [](auto lookup) -> std::pair<int, QString> {
            try {
                return {lookup(), QString()};
            } catch (const TorvaneError& e) {
                return {-2, e.text()};
            }
        };
        const auto fast = outcome([&] { return FindTask(list, name, handle, o); });
        const auto slow = outcome([&] { return literal::FindTask(list, name, handle, o); });
        ASSERT_EQ(fast, slow) << "#" << i;
        ASSERT_EQ(outcome([&] { return TaskListIndex(list).find(list, name, handle, o); }), slow) << "#" << i;
        const auto fastPair = outcome([&] { return int(NamesResemble(name, name + name, o)); });
        const auto slowPair = outcome([&] { return int(literal::NamesResemble(name, name + name, o)); });
        ASSERT_EQ(fastPair, slowPair) << "#" << i;
    }
}
