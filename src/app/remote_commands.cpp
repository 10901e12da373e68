#include "app/remote_commands.h"

#include "app/program_folders.h"
#include "app/scripting_service.h"
#include "core/activity_log.h"
#include "core/task_list_model.h"
#include "lists/list_file.h"
#include "platform/remote_scripting.h"
#include "platform/torvane_error.h"
#include "platform/window_system.h"

#include <QFileInfo>

namespace {

using Kind = RemoteCommand::Kind;

CommandLineAnswer failure(const QString& text) {
    return {true, 1, {}, QStringLiteral("torvane: ") + text + QStringLiteral("\n"), {}};
}

CommandLineAnswer success(const QString& out = {}) {
    return {true, 0, out, {}, {}};
}

// Without a running program there is no desktop to ask; the rules of a list change need none.
class NoWindows : public platform::WindowSystem {
public:
    std::vector<platform::WindowInfo> topLevelWindows() override { return {}; }
    platform::ProcessId windowProcessId(platform::WindowHandle) override { return 0; }
    void postCloseMessage(platform::WindowHandle) override {}
};

CommandLineAnswer runOnBus(const RemoteCommand& command, platform::RemoteScripting& torvane) {
    std::optional<QString> error;
    QString out;
    switch (command.kind) {
    case Kind::ListTasks: {
        std::vector<platform::ScriptedTask> tasks;
        error = torvane.tasks(tasks);
        // Escaped as the log escapes them, a title cannot break its line.
        for (const platform::ScriptedTask& task : tasks)
            out += QString::number(task.pid) + QLatin1Char('\t') + escapedForLog(task.title) + QLatin1Char('\n');
        break;
    }
    case Kind::Add:
        error = torvane.add(command.list, command.title);
        break;
    case Kind::Remove:
        error = torvane.remove(command.list, command.title);
        break;
    case Kind::SetProtection:
        error = torvane.setProtection(command.on);
        break;
    }
    return error ? failure(*error) : success(out);
}

// The lists as the program's next start finds them: the user's file, or for a new user the lists
// an administrator gives new users. Throws TorvaneError when they cannot be read.
void loadLists(const QString& path, const ListFilePlace& place, TaskListModel& safe, TaskListModel& kill) {
    QString source = path;
    if (!QFileInfo::exists(path))
        source = presetListFilePath(place.configDirs);
    if (source.isEmpty())
        return;
    ListFileSections sections;
    try {
        sections = loadListFile(source);
    } catch (const TorvaneError& e) {
        sections.error = e.text();
    }
    if (sections.error.isEmpty() || sections.holdsNoItems()) {
        safe.setTasks(sections.safe);
        kill.setTasks(sections.kill);
        return;
    }
    // An error about opening names the file already.
    if (sections.error.contains(source))
        throw TorvaneError(sections.error);
    throw TorvaneError(
        QStringLiteral("Cannot read the lists in \"%1\": %2. The file was left as it is.").arg(source, sections.error));
}

CommandLineAnswer changeListFile(const RemoteCommand& command, const ListFilePlace& place) {
    const QString path = defaultListFilePath(place.dataFolder);
    TaskListModel safe, kill;
    NoWindows noWindows;
    ScriptingService rules(safe, kill, noWindows, {[] { return false; }, [](bool) {}});
    try {
        loadLists(path, place, safe, kill);
        TaskListModel& changed = command.list == QLatin1String("safe") ? safe : kill;
        const auto before = changed.version();
        const auto refused = command.kind == Kind::Add ? rules.add(command.list, command.title)
                                                       : rules.remove(command.list, command.title);
        if (refused)
            return failure(refused->message);
        if (place.createFolder)
            createDataFolder(place.dataFolder);
        saveListFile(path, safe.tasks(), kill.tasks());
        const QString list = command.list + QStringLiteral(" list");
        if (changed.version() == before)
            return success(QStringLiteral("Torvane is not running; the %1 in %2 already holds \"%3\".\n")
                               .arg(list, path, command.title));
        return success(QStringLiteral("Torvane is not running; the %1 in %2 was changed.\n").arg(list, path));
    } catch (const TorvaneError& e) {
        return failure(e.text());
    }
}

} // namespace

CommandLineAnswer runRemoteCommand(const RemoteCommand& command, platform::RemoteScripting& torvane,
                                   const QString& display, const ListFilePlace& place) {
    if (!display.isEmpty() && torvane.running())
        return runOnBus(command, torvane);
    if (command.kind == Kind::Add || command.kind == Kind::Remove)
        return changeListFile(command, place);
    if (display.isEmpty())
        return failure(QStringLiteral("Torvane is not running: DISPLAY is not set."));
    return failure(QStringLiteral("Torvane is not running on display %1.").arg(display));
}
