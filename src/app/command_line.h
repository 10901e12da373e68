#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for before any window exists.
struct CommandLineAnswer {
    bool exit = false; // answered: print and end without starting the program
    int status = 0;
    QString out; // for standard output
    QString err; // for standard error
};

// `arguments` include the program name first. Answers --help and --version, carries out
// --merge-choices (and rejects unknown options); anything else starts the program.
CommandLineAnswer readCommandLine(const QStringList& arguments);
