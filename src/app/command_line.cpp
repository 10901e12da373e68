#include "app/command_line.h"

#include "lists/choice_merge.h"
#include "platform/torvane_error.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#ifndef TORVANE_VERSION
#define TORVANE_VERSION "0"
#endif

namespace {

CommandLineAnswer refusal(const QString& text) {
    return {true, 1, {}, QStringLiteral("torvane: ") + text + QStringLiteral("\n"), {}};
}

// --kill-list or --safe-list with its action and the one title.
CommandLineAnswer readListCommand(const QString& option, const QString& list, const QString& action,
                                  const QStringList& titles) {
    RemoteCommand command;
    command.list = list;
    if (action == QLatin1String("add"))
        command.kind = RemoteCommand::Kind::Add;
    else if (action == QLatin1String("remove"))
        command.kind = RemoteCommand::Kind::Remove;
    else
        return refusal(QStringLiteral("%1 takes add or remove, not '%2'").arg(option, action));
    if (titles.size() != 1)
        return refusal(QStringLiteral("%1 %2 needs one TITLE (quote a title that holds spaces)").arg(option, action));
    command.title = titles.constFirst();
    return {false, 0, {}, {}, command};
}

} // namespace

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
    const QCommandLineOption listTasks(
        QStringLiteral("list-tasks"),
        QStringLiteral("Print the tasks the Torvane running on this display sees, one a line: the process id "
                       "(0 when unknown), a tab and the title."));
    const QCommandLineOption killList(
        QStringLiteral("kill-list"),
        QStringLiteral("add or remove: put TITLE on the kill list or take it off. The Torvane running on this "
                       "display changes its list; when none runs, the list file is changed."),
        QStringLiteral("ACTION"));
    const QCommandLineOption safeList(QStringLiteral("safe-list"),
                                      QStringLiteral("add or remove: the same for the safe list."),
                                      QStringLiteral("ACTION"));
    const QCommandLineOption protection(
        QStringLiteral("protection"),
        QStringLiteral("on or off: start or stop the protection of the Torvane running on "
                       "this display."),
        QStringLiteral("on|off"));
    for (const QCommandLineOption& option : {listTasks, killList, safeList, protection})
        parser.addOption(option);
    parser.addPositionalArgument(QStringLiteral("IN..."),
                                 QStringLiteral("The choice files to merge, with --merge-choices."),
                                 QStringLiteral("[--merge-choices OUT IN...]"));
    parser.addPositionalArgument(QStringLiteral("TITLE"),
                                 QStringLiteral("A window title, exactly, with --kill-list or --safe-list."),
                                 QStringLiteral("[--kill-list|--safe-list ACTION TITLE]"));
    // The parser runs before the application object exists, so it cannot name the executable.
    const auto helpText = [&parser] {
        return parser.helpText().replace(QRegularExpression(QStringLiteral("^Usage: \\S+")),
                                         QStringLiteral("Usage: torvane"));
    };
    if (!parser.parse(arguments))
        return {true, 1, {}, QStringLiteral("torvane: ") + parser.errorText() + QStringLiteral("\n") + helpText(), {}};
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all")))
        return {true, 0, helpText(), {}, {}};
    if (parser.isSet(version))
        return {true, 0, QStringLiteral("torvane " TORVANE_VERSION "\n"), {}, {}};
    int commands = 0;
    for (const QCommandLineOption& option : {mergeChoices, listTasks, killList, safeList, protection})
        commands += parser.isSet(option) ? 1 : 0;
    if (commands > 1)
        return refusal(QStringLiteral("give only one of --merge-choices, --list-tasks, --kill-list, --safe-list and "
                                      "--protection"));
    const QStringList positional = parser.positionalArguments();
    if (parser.isSet(killList))
        return readListCommand(QStringLiteral("--kill-list"), QStringLiteral("kill"), parser.value(killList),
                               positional);
    if (parser.isSet(safeList))
        return readListCommand(QStringLiteral("--safe-list"), QStringLiteral("safe"), parser.value(safeList),
                               positional);
    if (parser.isSet(protection) && positional.isEmpty()) {
        const QString state = parser.value(protection);
        if (state != QLatin1String("on") && state != QLatin1String("off"))
            return refusal(QStringLiteral("--protection takes on or off, not '%1'").arg(state));
        return {false, 0, {}, {}, RemoteCommand{RemoteCommand::Kind::SetProtection, {}, {}, state == "on"}};
    }
    if (parser.isSet(listTasks) && positional.isEmpty())
        return {false, 0, {}, {}, RemoteCommand{}};
    if (parser.isSet(mergeChoices)) {
        const QStringList inputs = parser.positionalArguments();
        if (inputs.isEmpty())
            return {
                true, 1, {}, QStringLiteral("torvane: --merge-choices needs at least one choice file to read\n"), {}};
        try {
            MergeChoiceFiles(parser.value(mergeChoices), inputs);
        } catch (const TorvaneError& e) {
            return {true, 1, {}, QStringLiteral("torvane: ") + e.text() + QStringLiteral("\n"), {}};
        }
        return {true, 0, {}, {}, {}};
    }
    if (!parser.positionalArguments().isEmpty())
        return {true,
                1,
                {},
                QStringLiteral("torvane: unexpected argument '") + parser.positionalArguments().constFirst() +
                    QStringLiteral("'\n") + helpText(),
                {}};
    return {};
}
