#pragma once

#include <QString>

// The system action the tab performs and the countdown before it. The texts of the hours and
// minutes are kept as typed and read through their digits when the countdown starts.
struct CountdownOptions {
    // The action to perform is the first chosen one in this order; none chosen means log off.
    bool shutDown = true;
    bool reboot = false;
    bool restartApplications = false;
    bool powerOff = false;
    bool logOff = false;
    bool force = true; // force the action when the session would hold it up

    QString hours = QStringLiteral("0");
    QString minutes = QStringLiteral("40");

    bool operator==(const CountdownOptions&) const = default;
};
