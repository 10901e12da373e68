#include "lists/list_file_controller.h"

#include "core/durable_file.h"
#include "core/shared_values.h"
#include "lists/list_file.h"
#include "platform/dialogs.h"
#include "platform/torvane_error.h"
#include "widgets/task_list_view.h"

#include <QFileInfo>

ListFileController::ListFileController(const ListFileControls& controls, SharedValues& values,
                                       platform::Dialogs& dialogs)
    : m_controls(controls), m_values(values), m_dialogs(dialogs) {}

std::optional<QString> ListFileController::listFilePath(bool askPath, bool forSaving) {
    if (!askPath)
        return defaultListFilePath(m_values.BaseDir);
    const QString title = QStringLiteral("Select a list save file");
    const QString filter = QStringLiteral("List Save|*.sav");
    const auto chosen = forSaving ? m_dialogs.saveFileName(m_controls.mainWindow, title, filter, m_values.BaseDir)
                                  : m_dialogs.openFileName(m_controls.mainWindow, title, filter, m_values.BaseDir);
    if (!chosen || chosen->isEmpty())
        return std::nullopt;
    QString path = *chosen;
    // A name typed without an extension gets the list file's own (the toolkit's dialog adds it
    // itself, asking before it replaces a file).
    if (forSaving && QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".sav");
    return path;
}

void ListFileController::SaveAllLists(bool askPath) {
    const auto path = listFilePath(askPath, true);
    if (!path || (!askPath && m_defaultFileUntouchable))
        return;
    saveListFile(*path, m_controls.safeListView->taskModel().tasks(), m_controls.killListView->taskModel().tasks());
}

void ListFileController::replaceLists(const TaskList& safe, const TaskList& kill) {
    // The models put the entries in their sorted place when the lists are sorted.
    m_controls.safeListView->taskModel().setTasks(safe);
    m_controls.killListView->taskModel().setTasks(kill);
}

void ListFileController::LoadAllLists(bool askPath) {
    const auto path = listFilePath(askPath, false);
    if (!path)
        return;
    if (!askPath) {
        loadDefaultFile(*path);
        return;
    }
    const ListFileSections sections = loadListFile(*path);
    if (sections.replacesSafe)
        m_controls.safeListView->taskModel().setTasks(sections.safe);
    if (sections.replacesKill)
        m_controls.killListView->taskModel().setTasks(sections.kill);
    sections.throwIfError();
}

void ListFileController::loadPresetLists() {
    const QString preset = presetListFilePath(qEnvironmentVariable("XDG_CONFIG_DIRS"));
    QString error;
    if (!preset.isEmpty()) {
        try {
            const ListFileSections sections = loadListFile(preset);
            error = sections.error;
            if (error.isEmpty())
                replaceLists(sections.safe, sections.kill);
        } catch (const TorvaneError& e) {
            error = e.text();
        }
    }
    if (!error.isEmpty())
        replaceLists({}, {});
    SaveAllLists(false);
    // Half a preset is not what the administrator meant to give.
    if (!error.isEmpty())
        throw TorvaneError(error + QStringLiteral("\n\rThe lists for new users in \"%1\" were not used; the lists "
                                                  "start empty")
                                       .arg(preset));
}

void ListFileController::loadDefaultFile(const QString& path) {
    // A first start writes a file that loads back as two empty lists, or as the lists an
    // administrator gives new users.
    if (!QFileInfo::exists(path)) {
        loadPresetLists();
        return;
    }
    QString error;
    try {
        const ListFileSections sections = loadListFile(path);
        if (sections.error.isEmpty()) {
            replaceLists(sections.safe, sections.kill);
            return;
        }
        // A file without a single item holds nothing to keep: older starts left such a file.
        if (sections.holdsNoItems()) {
            SaveAllLists(false);
            return;
        }
        error = sections.error;
    } catch (const TorvaneError& e) {
        error = e.text();
    }
    replaceLists({}, {});
    const QString aside = durable::keepAside(path);
    if (aside.isEmpty()) {
        m_defaultFileUntouchable = true;
        throw TorvaneError(error + QStringLiteral("\n\rThe list file \"%1\" is left as it is and will not be "
                                                  "saved over; the lists start empty")
                                       .arg(path));
    }
    throw TorvaneError(error +
                       QStringLiteral("\n\rThe list file was kept as \"%1\"; the lists start empty").arg(aside));
}
