#pragma once

#include <QString>

// The user's choices about temperature monitoring and the reactions to overheating. Texts of
// number fields are kept as typed and read through their digits when used. The defaults are the
// values the tab starts with.
struct TemperatureOptions {
    bool startCoreTempWithTorvane = false;            // start the temperature publisher when Torvane starts
    bool detectTemperatureChanges = false;            // look for the tasks behind a temperature change
    QString changeTolerance = QStringLiteral("9");    // degrees a reading may move without counting as a change
    QString overheatThreshold = QStringLiteral("90"); // biggest core temperature at which the reactions run

    // The reactions to a biggest core temperature at or over the threshold.
    bool overheatKill = false;                       // kill all tasks outside the safe list
    QString overheatKillUsage = QStringLiteral("0"); // the parent's usage that makes a task a candidate
    bool overheatStopProtection = true;              // stop the Task Management options
    bool overheatStopMemory = true;                  // stop the periodic optimization, free what was consumed
    bool overheatStopLookup = true;                  // stop the automatic public-address retrieval
    bool overheatShutDown = false;                   // shut the computer down
    bool overheatReboot = true;                      // reboot rather than shut down completely

    bool operator==(const TemperatureOptions&) const = default;
};
