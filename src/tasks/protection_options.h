#pragma once

#include <QString>

// The options the protection cycle reads at the moment it needs them. The defaults are the
// values at start.
struct ProtectionOptions {
    bool protectionOn = false;                      // new tasks are asked about (or killed in silent mode)
    bool treatShownAsHidden = false;                // visible tasks count as candidates too
    bool memoryWarning = true;                      // ask about a task that uses more memory than the limit
    QString memoryLimitText = QStringLiteral("55"); // the limit in megabytes, read through its digits
    bool warnSafeListToo = true;                    // the memory warning covers Safe List tasks as well
    bool quickRepeat = true;                        // "repeat last" decides without showing the Task Action window
    bool matchSameNames = false;                    // renamed tasks keep their Safe List and known-task entries
};
