#include "lists/task_action_message.h"

#include <gtest/gtest.h>

namespace {

TEST(NewTaskMessage, ActionNamesOfChoiceCodes) {
    const struct {
        int code;
        const char* name;
    } cases[] = {{0, "Nothing"},      {1, "Kill Task"}, {2, "Add to Safe List"}, {3, "Add to Kill List"},
                 {4, "Allow to Run"}, {5, "Nothing"},   {-1, "Nothing"},         {6, "Nothing"}};
    for (const auto& c : cases)
        EXPECT_EQ(ActionName(c.code), c.name) << c.code;
}

TEST(NewTaskMessage, HeadingComparesUnroundedMegabytesWithTheLimit) {
    const struct {
        std::uint64_t bytes;
        std::int32_t limit;
        QString reason;
        QString heading;
    } cases[] = {
        {0, 0, {}, "New task running"}, // a working set that could not be read
        {1, 0, {}, "Too much memory used by task"},
        {6ull << 30, 6144, {}, "New task running"}, // beyond 32 bits
        {(55ull << 20) + 1, 55, kSelectedByUserReason, "Selected by the user running task"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(taskHeading(c.bytes, c.limit, c.reason), c.heading) << c.bytes << " " << c.limit;
}

TEST(NewTaskMessage, ImeSentenceOnlyForCapitals) {
    const struct {
        const char* name;
        bool sentence;
    } cases[] = {{"Default IME", true}, {"IMEx", true}, {"xIMEy", true},
                 {"ime", false},        {"Ime", false}, {"IM E", false}};
    for (const auto& c : cases) {
        TaskFacts facts;
        facts.name = c.name;
        const QString first = taskMessage(facts).section("\n\r", 0, 0);
        EXPECT_EQ(first, QString("Task with the name %1 was found running.%2")
                             .arg(c.name, c.sentence ? "It is likely that this is a system non-named task." : ""))
            << c.name;
    }
}

TEST(NewTaskMessage, NotFoundText) {
    EXPECT_EQ(notFoundMessage("gone"), "\n\rYou were going to be warned for a task with \n\rthe name of gone."
                                       "However, for some reason it cannot be accessed.\n\r"
                                       "Most likely it is no longer running.");
    EXPECT_EQ(displayText("\n\ra\n\rb\n"), "\na\nb\n");
}

TEST(NewTaskMessage, RepeatPeriod) {
    const struct {
        const char* text;
        std::int32_t counter;
        bool over;
    } cases[] = {
        {"10", 10, false},
        {"10", 11, true},
        {" 10 ", 11, true},
        {"1", 2, true},
        {"", 1000000, false},
        {"", 2147483645, false},
        {"", 2147483646, true},
        {"10", 2147483646, true},
        // Not whole numbers: the user may be typing; no period is set and nothing fails.
        {"-", 5, false},
        {"+", 5, false},
        {"1a", 5, false},
        {"abc", 5, false},
        {"1.5", 5, false},
        {"-3", 0, true},
        {"99999999999", 2147483645, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(repeatPeriodOver(c.text, c.counter), c.over) << c.text << " " << c.counter;
}

} // namespace
