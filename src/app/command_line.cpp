#include "app/command_line.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#ifndef TORVANE_VERSION
#define TORVANE_VERSION "0"
#endif

CommandLineAnswer readCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Torvane guards the tasks of your X11 desktop: it keeps a safe list and a kill list,\n"
                       "watches memory, the connection and the CPU temperature, and counts down to shut-down\n"
                       "actions. Starting it while it runs brings the running window to the front."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    // The parser runs before the application object exists, so it cannot name the executable.
    const auto helpText = [&parser] {
        return parser.helpText().replace(QRegularExpression(QStringLiteral("^Usage: \\S+")),
                                         QStringLiteral("Usage: torvane"));
    };
    if (!parser.parse(arguments))
        return {true, 1, {}, QStringLiteral("torvane: ") + parser.errorText() + QStringLiteral("\n") + helpText()};
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all")))
        return {true, 0, helpText(), {}};
    if (parser.isSet(version))
        return {true, 0, QStringLiteral("torvane " TORVANE_VERSION "\n"), {}};
    if (!parser.positionalArguments().isEmpty())
        return {true,
                1,
                {},
                QStringLiteral("torvane: unexpected argument '") + parser.positionalArguments().constFirst() +
                    QStringLiteral("'\n") + helpText()};
    return {};
}
