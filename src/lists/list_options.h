#pragma once

#include <QString>

// The texts "Find Next" looks for in each list.
struct ListSearchOptions {
    QString allTasks;
    QString safeList;
    QString killList;
};
