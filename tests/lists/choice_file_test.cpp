#include "lists/choice_file.h"
#include "platform/torvane_error.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/file_size_limit.h"
#include <csignal>

namespace {

const QByteArray kHeader = "File created by Torvane\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";

QByteArray record(const char* name, qint64 a, qint64 b, qint64 c, qint64 d, qint64 e) {
    return QByteArray(name) + "\r\n" + QByteArray::number(a) + "\r\n" + QByteArray::number(b) + "\r\n" +
           QByteArray::number(c) + "\r\n" + QByteArray::number(d) + "\r\n" + QByteArray::number(e) + "\r\n";
}

class ChoiceFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString baseDir() const { return dir.path() + QLatin1Char('/'); }
    QString myChoice() const { return baseDir() + "MyChoice.dat"; }
    static QByteArray contents(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static void write(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    template <typename Action> static QString errorOf(Action&& action) {
        try {
            action();
        } catch (const TorvaneError& e) {
            return e.text();
        }
        return QStringLiteral("<no error>");
    }
    QStringList folderEntries() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

TEST_F(ChoiceFile, FirstDecisionCreatesHeaderAndRecord) {
    RecordChoice(ActionDecision::AddToSafeList, "xterm", myChoice());
    EXPECT_EQ(contents(myChoice()), QByteArray("File created by Torvane\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
                                               "xterm\r\n0\r\n1\r\n0\r\n0\r\n0\r\n"));
    EXPECT_EQ(MostPerformedByMe("xterm", baseDir()), 2);
    EXPECT_EQ(folderEntries(), QStringList{"MyChoice.dat"});
}

TEST_F(ChoiceFile, DecisionsMapToTheirLines) {
    const struct {
        int decision;
        int line; // 0: not counted
    } cases[] = {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {-1, 5}, {0, 0}, {5, 0}, {-2, 0}, {6, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.decision);
        QFile::remove(myChoice());
        RecordChoice(static_cast<ActionDecision>(c.decision), "t", myChoice());
        if (c.line == 0) {
            EXPECT_FALSE(QFile::exists(myChoice()));
            continue;
        }
        ChoiceCounts expected{};
        expected[c.line - 1] = 1;
        EXPECT_EQ(ReadChoiceCounts("t", myChoice()), expected);
        EXPECT_EQ(MostPerformedByMe("t", baseDir()), c.line);
    }
}

TEST_F(ChoiceFile, NamesThatCannotBeCountedLeaveNoFile) {
    RecordChoice(ActionDecision::KillTask, "", myChoice());
    RecordChoice(ActionDecision::KillTask, "two\r\nlines", myChoice());
    RecordChoice(ActionDecision::KillTask, "line\nfeed", myChoice());
    EXPECT_FALSE(QFile::exists(myChoice()));
    EXPECT_EQ(ReadChoiceCounts("", myChoice()), ChoiceCounts{});
}

TEST_F(ChoiceFile, MostFrequentWinsAndLowerCodeBreaksTies) {
    for (int i = 0; i < 2; ++i)
        RecordChoice(ActionDecision::AddToSafeList, "a", myChoice());
    for (int i = 0; i < 3; ++i)
        RecordChoice(ActionDecision::KillTask, "a", myChoice());
    EXPECT_EQ(MostPerformedByMe("a", baseDir()), 1);
    for (int i = 0; i < 2; ++i) {
        RecordChoice(ActionDecision::AddToKillList, "b", myChoice());
        RecordChoice(ActionDecision::Ignore, "b", myChoice());
    }
    EXPECT_EQ(MostPerformedByMe("b", baseDir()), 3);
    RecordChoice(ActionDecision::Ignore, "b", myChoice());
    EXPECT_EQ(MostPerformedByMe("b", baseDir()), 5);
    EXPECT_EQ(contents(myChoice()), kHeader + record("a", 3, 2, 0, 0, 0) + record("b", 0, 0, 2, 0, 3));
}

TEST(ChoiceCodes, MostPerformedCode) {
    EXPECT_EQ(mostPerformedCode({0, 0, 0, 0, 0}), 0);
    EXPECT_EQ(mostPerformedCode({-5, -1, 0, 0, 0}), 0);
    EXPECT_EQ(mostPerformedCode({0, 0, 0, 0, 1}), 5);
    EXPECT_EQ(mostPerformedCode({0, 7, 0, 7, 0}), 2);
    EXPECT_EQ(mostPerformedCode({1, 2, 3, 2, 1}), 3);
}

TEST_F(ChoiceFile, RecordInTheMiddleKeepsOthersInPlace) {
    const QByteArray before = kHeader + record("first", 1, 2, 3, 4, 5);
    const QByteArray after = record("last", 9, 0, 0, 0, 0);
    write(myChoice(), before + record("middle", 0, 4, 0, 0, 0) + after);
    RecordChoice(ActionDecision::AllowToRun, "middle", myChoice());
    EXPECT_EQ(contents(myChoice()), before + record("middle", 0, 4, 0, 1, 0) + after);
    EXPECT_EQ(folderEntries(), QStringList{"MyChoice.dat"});
}

TEST_F(ChoiceFile, NamesDifferingInCaseAreSeparate) {
    RecordChoice(ActionDecision::KillTask, "Editor", myChoice());
    RecordChoice(ActionDecision::AddToKillList, "editor", myChoice());
    EXPECT_EQ(contents(myChoice()), kHeader + record("Editor", 1, 0, 0, 0, 0) + record("editor", 0, 0, 1, 0, 0));
    EXPECT_EQ(MostPerformedByMe("EDITOR", baseDir()), 0);
}

TEST_F(ChoiceFile, OnlyTheFirstRecordOfANameCounts) {
    write(myChoice(), kHeader + record("dup", 0, 1, 0, 0, 0) + record("dup", 5, 0, 0, 0, 0));
    EXPECT_EQ(MostPerformedByMe("dup", baseDir()), 2);
    RecordChoice(ActionDecision::KillTask, "dup", myChoice());
    EXPECT_EQ(contents(myChoice()), kHeader + record("dup", 1, 1, 0, 0, 0) + record("dup", 5, 0, 0, 0, 0));
}

TEST_F(ChoiceFile, NonAsciiNamesMatchExactly) {
    const QString greek = QString::fromUtf8("\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1");
    RecordChoice(ActionDecision::AddToKillList, greek, myChoice());
    EXPECT_EQ(contents(myChoice()), kHeader + record("\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1", 0, 0, 1, 0, 0));
    EXPECT_EQ(MostPerformedByMe(greek, baseDir()), 3);
}

TEST_F(ChoiceFile, BlankLineAtTheEndBecomesAnEmptyRecord) {
    write(myChoice(), kHeader + record("a", 1, 0, 0, 0, 0) + "\r\n");
    EXPECT_EQ(MostPerformedByMe("a", baseDir()), 1);
    RecordChoice(ActionDecision::AddToSafeList, "b", myChoice());
    EXPECT_EQ(contents(myChoice()),
              kHeader + record("a", 1, 0, 0, 0, 0) + record("", 0, 0, 0, 0, 0) + record("b", 0, 1, 0, 0, 0));
}

TEST_F(ChoiceFile, CountTokens) {
    const struct {
        const char* label;
        QByteArray text;
        ChoiceCounts counts;
    } cases[] = {
        {"plain", "t\r\n1\r\n2\r\n3\r\n4\r\n5\r\n", {1, 2, 3, 4, 5}},
        {"leading zeros and sign", "t\r\n007\r\n-3\r\n+4\r\n0\r\n00\r\n", {7, -3, 4, 0, 0}},
        {"rest of line ignored", "t\r\n5 apples\r\n6\tx y\r\n  7\r\n\t8 \r\n9\r\n", {5, 6, 7, 8, 9}},
        {"64-bit limits",
         "t\r\n9223372036854775807\r\n-9223372036854775808\r\n0\r\n0\r\n0\r\n",
         {std::numeric_limits<qint64>::max(), std::numeric_limits<qint64>::min(), 0, 0, 0}},
        {"cut short by the end", "t\r\n4\r\n2", {4, 2, 0, 0, 0}},
        {"name only", "t", {0, 0, 0, 0, 0}},
        {"blank lines skipped before a count", "t\r\n\r\n\r\n1\r\n2\r\n3\r\n4\r\n5\r\n", {1, 2, 3, 4, 5}},
        {"line feeds only", "x\n1\n1\n1\n1\n1\nt\n1\n0\n0\n0\n2\n", {1, 0, 0, 0, 2}},
        {"after another record", "a b\r\n1\r\n1\r\n1\r\n1\r\n1\r\nt\r\n0\r\n0\r\n9\r\n0\r\n0\r\n", {0, 0, 9, 0, 0}},
        {"name with trailing blank differs", "t \r\n1\r\n1\r\n1\r\n1\r\n1\r\n", {0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        write(myChoice(), c.text);
        EXPECT_EQ(ReadChoiceCounts("t", myChoice()), c.counts);
    }
}

TEST_F(ChoiceFile, BadCountTokensAreInvalidNumericInput) {
    const QByteArray tokens[] = {
        "12a", "abc", "-", "+", "1.5", "0x10", "9223372036854775808", "-9223372036854775809", "99999999999999999999"};
    for (const QByteArray& token : tokens) {
        SCOPED_TRACE(token.constData());
        // The bad count sits in another record before the name, so every count read is checked.
        const QByteArray text =
            kHeader + "other\r\n0\r\n" + token + "\r\n0\r\n0\r\n0\r\nt\r\n1\r\n0\r\n0\r\n0\r\n0\r\n";
        write(myChoice(), text);
        EXPECT_EQ(errorOf([&] { ReadChoiceCounts("t", myChoice()); }), "Invalid numeric input");
        EXPECT_EQ(errorOf([&] { MostPerformedByMe("t", baseDir()); }), "Invalid numeric input");
        EXPECT_EQ(errorOf([&] { RecordChoice(ActionDecision::KillTask, "t", myChoice()); }), "Invalid numeric input");
        EXPECT_EQ(contents(myChoice()), text);
        EXPECT_EQ(folderEntries(), QStringList{"MyChoice.dat"});
    }
}

TEST_F(ChoiceFile, RewriteNormalisesCounts) {
    write(myChoice(), "a\r\n007\r\n5 junk\r\n\t3\r\n0\r\n-0\r\nb\r\n9223372036854775807\r\n0\r\n0\r\n0\r\n0\r\n");
    RecordChoice(ActionDecision::KillTask, "b", myChoice());
    // The top count saturates instead of wrapping to a negative one.
    EXPECT_EQ(contents(myChoice()),
              record("a", 7, 5, 3, 0, 0) + record("b", std::numeric_limits<qint64>::max(), 0, 0, 0, 0));
}

TEST_F(ChoiceFile, CloudFileIsOnlyRead) {
    EXPECT_EQ(MostPerformedByCloud("t", baseDir()), 0);
    write(baseDir() + "CloudChoice.dat", kHeader + record("t", 0, 0, 0, 6, 2));
    EXPECT_EQ(MostPerformedByCloud("t", baseDir()), 4);
    EXPECT_EQ(MostPerformedByMe("t", baseDir()), 0);
}

TEST_F(ChoiceFile, StaleTemporaryIsReplacedAndGone) {
    write(myChoice(), kHeader);
    write(myChoice() + ".tmp", "left over from an earlier crash");
    RecordChoice(ActionDecision::KillTask, "t", myChoice());
    EXPECT_EQ(contents(myChoice()), kHeader + record("t", 1, 0, 0, 0, 0));
    EXPECT_EQ(folderEntries(), QStringList{"MyChoice.dat"});
}

TEST_F(ChoiceFile, FailedRewriteLeavesTheOldFileWhole) {
    const QByteArray old = kHeader + record("t", 2, 0, 0, 0, 0);
    write(myChoice(), old);
    // The temporary cannot be created: its name is taken by a folder.
    ASSERT_TRUE(QDir().mkdir(myChoice() + ".tmp"));
    EXPECT_EQ(errorOf([&] { RecordChoice(ActionDecision::KillTask, "t", myChoice()); }), "I/O error 21");
    EXPECT_EQ(contents(myChoice()), old);
    ASSERT_TRUE(QDir().rmdir(myChoice() + ".tmp"));
    // The temporary breaks off mid-write (writes past 32 bytes fail even for root).
    {
        const FileSizeLimit limit(32);
        EXPECT_EQ(errorOf([&] { RecordChoice(ActionDecision::KillTask, "t", myChoice()); }), "I/O error 27");
    }
    EXPECT_EQ(contents(myChoice()), old);
    EXPECT_EQ(folderEntries(), QStringList{"MyChoice.dat"});
    // A first decision that cannot be written leaves no file behind either.
    const QString fresh = baseDir() + "Fresh.dat";
    {
        const FileSizeLimit limit(16);
        EXPECT_EQ(errorOf([&] { RecordChoice(ActionDecision::KillTask, "t", fresh); }), "I/O error 27");
    }
    EXPECT_FALSE(QFile::exists(fresh));
    EXPECT_EQ(folderEntries(), QStringList{"MyChoice.dat"});
}

TEST_F(ChoiceFile, FolderInPlaceOfTheFileIsAnIoError) {
    ASSERT_TRUE(QDir().mkdir(myChoice()));
    EXPECT_EQ(errorOf([&] { ReadChoiceCounts("t", myChoice()); }), "I/O error 21");
    EXPECT_EQ(errorOf([&] { RecordChoice(ActionDecision::KillTask, "t", myChoice()); }), "I/O error 21");
}

} // namespace
