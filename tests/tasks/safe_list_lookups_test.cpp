#include "core/task_list_model.h"
#include "tasks/recognition.h"
#include "tasks/safe_list_lookups.h"

#include <gtest/gtest.h>

namespace {

// The remembered answers must always equal a fresh lookup, whatever changed in between.
TEST(SafeListLookups, AnswersFollowEveryChangeOfTheListAndTheOptions) {
    TaskListModel safe;
    SafeListLookups lookups;
    RecognitionOptions options;
    auto check = [&](const QString& name, LookupHandle handle) {
        EXPECT_EQ(lookups.find(safe, name, handle, options), FindTask(safe.tasks(), name, handle, options))
            << name.toStdString() << " " << handle;
    };
    safe.append({"Backup agent", 5});
    check("Backup agent v2", 9);
    safe.append({"Backup agent v2", 0}); // appended
    check("Backup agent v2", 9);
    safe.setEntry(0, {"Renamed", 9}); // replaced in place
    check("Backup agent v2", 9);
    check("Something else", 9);
    options.cleverProcessing = false; // another option: no resemblance stage
    check("Backup agent v3", 1);
    options.runLength = 1;
    check("Backup agent v3", 1);
    safe.removeAt(1);
    check("Backup agent v2", 9);
    safe.setSorted(true);
    check("Renamed", 0);
    safe.clear();
    check("Renamed", 9);
    TaskListModel other; // another list
    other.append({"Renamed", 9});
    EXPECT_EQ(lookups.find(other, "Renamed", 9, options), 0);
}

} // namespace
