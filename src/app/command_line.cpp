#include "app/command_line.h"

#include "lists/choice_merge.h"
#include "platform/torvane_error.h"

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
    const QCommandLineOption mergeChoices(
        QStringLiteral("merge-choices"),
        QStringLiteral("Write to OUT a choice file holding the summed counts of the choice files IN..., "
                       "e.g. a team's CloudChoice.dat from its members' MyChoice.dat files."),
        QStringLiteral("OUT"));
    parser.addOption(mergeChoices);
    parser.addPositionalArgument(QStringLiteral("IN..."),
                                 QStringLiteral("The choice files to merge, with --merge-choices."),
                                 QStringLiteral("[--merge-choices OUT IN...]"));
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
    if (parser.isSet(mergeChoices)) {
        const QStringList inputs = parser.positionalArguments();
        if (inputs.isEmpty())
            return {true, 1, {}, QStringLiteral("torvane: --merge-choices needs at least one choice file to read\n")};
        try {
            MergeChoiceFiles(parser.value(mergeChoices), inputs);
        } catch (const TorvaneError& e) {
            return {true, 1, {}, QStringLiteral("torvane: ") + e.text() + QStringLiteral("\n")};
        }
        return {true, 0, {}, {}};
    }
    if (!parser.positionalArguments().isEmpty())
        return {true,
                1,
                {},
                QStringLiteral("torvane: unexpected argument '") + parser.positionalArguments().constFirst() +
                    QStringLiteral("'\n") + helpText()};
    return {};
}
