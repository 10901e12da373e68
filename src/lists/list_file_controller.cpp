#include "lists/list_file_controller.h"

#include "core/shared_values.h"
#include "lists/list_file.h"
#include "platform/dialogs.h"
#include "widgets/task_list_view.h"

#include <QFileInfo>

ListFileController::ListFileController(MainForm& form, SharedValues& values, platform::Dialogs& dialogs)
    : m_form(form), m_values(values), m_dialogs(dialogs) {}

QString ListFileController::listFilePath(bool askPath, bool forSaving) {
    const QString fallback = defaultListFilePath(m_values.BaseDir);
    if (!askPath)
        return fallback;
    const QString title = QStringLiteral("Select a list save file");
    const QString filter = QStringLiteral("List Save|*.sav");
    const auto chosen = forSaving ? m_dialogs.saveFileName(m_form.Torvane, title, filter, m_values.BaseDir)
                                  : m_dialogs.openFileName(m_form.Torvane, title, filter, m_values.BaseDir);
    if (!chosen || chosen->isEmpty())
        return fallback;
    QString path = *chosen;
    // A name typed without an extension gets the list file's own.
    if (forSaving && QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".sav");
    return path;
}

void ListFileController::SaveAllLists(bool askPath) {
    m_form.tmpBox.clear();
    const QString path = listFilePath(askPath, true);
    saveListFile(path, m_form.ListBox2->taskModel().tasks(), m_form.ListBox3->taskModel().tasks());
    m_form.tmpBox.clear();
}

void ListFileController::LoadAllLists(bool askPath) {
    m_form.tmpBox.clear();
    const QString path = listFilePath(askPath, false);
    const ListFileSections sections = loadListFile(path);
    // The models put the entries in their sorted place when the lists are sorted.
    if (sections.replacesSafe)
        m_form.ListBox2->taskModel().setTasks(sections.safe);
    if (sections.replacesKill)
        m_form.ListBox3->taskModel().setTasks(sections.kill);
    m_form.tmpBox.clear();
    sections.throwIfError();
}
