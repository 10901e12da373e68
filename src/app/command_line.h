#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// A command for the Torvane running on the display (or, for the lists, the list file when none runs).
struct RemoteCommand {
    enum class Kind { ListTasks, Add, Remove, SetProtection };
    Kind kind = Kind::ListTasks;
    QString list; // "safe" or "kill"
    QString title;
    bool on = false;

    bool operator==(const RemoteCommand&) const = default;
};

// What the command line asks for before any window exists.
struct CommandLineAnswer {
    bool exit = false; // answered: print and end without starting the program
    int status = 0;
    QString out; // for standard output
    QString err; // for standard error
    // Not answered yet: carried out once the application object exists (exit is false).
    std::optional<RemoteCommand> remote;
};

// `arguments` include the program name first. Answers --help and --version, carries out
// --merge-choices (and rejects unknown options), reads the commands for a running Torvane into
// `remote`; anything else starts the program.
CommandLineAnswer readCommandLine(const QStringList& arguments);
