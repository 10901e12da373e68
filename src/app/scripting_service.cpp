#include "app/scripting_service.h"

#include "core/activity_log.h"
#include "core/task_list_model.h"
#include "platform/window_system.h"

using platform::ScriptingError;

namespace {

const QString kInvalidArgs = QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs");

ScriptingError unknownList(const QString& list) {
    return {kInvalidArgs, QStringLiteral("Unknown list \"%1\": use \"safe\" or \"kill\".").arg(list)};
}

std::optional<ScriptingError> badTitle(const QString& title) {
    if (title.isEmpty())
        return ScriptingError{kInvalidArgs, QStringLiteral("The title is empty.")};
    if (title.size() > ScriptingService::kTitleLimit)
        return ScriptingError{kInvalidArgs, QStringLiteral("The title is %1 characters long; the limit is %2.")
                                                .arg(title.size())
                                                .arg(ScriptingService::kTitleLimit)};
    return std::nullopt;
}

int indexOf(const TaskListModel& model, const QString& title) {
    for (int i = 0; i < model.count(); ++i)
        if (model.at(i).title == title)
            return i;
    return -1;
}

} // namespace

ScriptingService::ScriptingService(TaskListModel& safeList, TaskListModel& killList, platform::WindowSystem& windows,
                                   Protection protection, ActivityLog* log)
    : m_safeList(safeList), m_killList(killList), m_windows(windows), m_protection(std::move(protection)), m_log(log) {}

void ScriptingService::recordChange(const QString& title, const QString& change) {
    if (m_log)
        m_log->record({.title = title,
                       .reason = QStringLiteral("D-Bus"),
                       .result = platform::ActivityResult::ListChanged,
                       .decision = change});
}

TaskListModel* ScriptingService::model(const QString& list) {
    if (list == QLatin1String("safe"))
        return &m_safeList;
    if (list == QLatin1String("kill"))
        return &m_killList;
    return nullptr;
}

std::vector<platform::ScriptedTask> ScriptingService::tasks() {
    std::vector<platform::ScriptedTask> out;
    for (const platform::WindowInfo& window : m_windows.topLevelWindows()) {
        if (window.title.isEmpty())
            continue;
        const auto pid = m_windows.windowProcessId(window.handle);
        out.push_back({window.title, window.visible, pid > 0 ? static_cast<unsigned>(pid) : 0u});
    }
    return out;
}

std::optional<ScriptingError> ScriptingService::list(const QString& list, QStringList& entries) {
    const TaskListModel* target = model(list);
    if (!target)
        return unknownList(list);
    for (const TaskEntry& entry : target->tasks())
        entries << entry.title;
    return std::nullopt;
}

std::optional<ScriptingError> ScriptingService::add(const QString& list, const QString& title) {
    TaskListModel* target = model(list);
    if (!target)
        return unknownList(list);
    if (auto error = badTitle(title))
        return error;
    if (indexOf(*target, title) == -1) {
        target->append(TaskEntry(title));
        recordChange(title, QStringLiteral("added to the %1 list").arg(list));
    }
    return std::nullopt;
}

std::optional<ScriptingError> ScriptingService::remove(const QString& list, const QString& title) {
    TaskListModel* target = model(list);
    if (!target)
        return unknownList(list);
    if (auto error = badTitle(title))
        return error;
    int at = indexOf(*target, title);
    if (at == -1)
        return ScriptingError{QStringLiteral("io.github.torvane.Torvane1.Error.NotListed"),
                              QStringLiteral("\"%1\" is not in the %2 list.").arg(title, list)};
    // The list file may hold a title more than once; none of them is left.
    for (; at != -1; at = indexOf(*target, title))
        target->removeAt(at);
    recordChange(title, QStringLiteral("removed from the %1 list").arg(list));
    return std::nullopt;
}

void ScriptingService::setProtection(bool on) {
    m_protection.set(on);
}

bool ScriptingService::protectionOn() {
    return m_protection.isOn();
}
