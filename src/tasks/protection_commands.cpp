#include "core/digits_to_int.h"
#include "core/message_policy.h"
#include "core/shared_values.h"
#include "platform/dialogs.h"
#include "platform/window_system.h"
#include "tasks/protection.h"
#include "tasks/task_actions.h"
#include "tasks/task_snapshot.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>

using namespace platform;

void Protection::toggleProtection() {
    if (protectionOn()) {
        const int answer = m_policy.show(
            BoxKind::SilentGated,
            QStringLiteral("Protection monitors all tasks running and your computer, \n\rthus helping you prevent any "
                           "unauthorized tasks from running.\n\r\n\rDo you wish to stop Protection now? "),
            QStringLiteral("Stop Protection"), MbYesNo | MbIconWarning);
        if (answer == IdYes)
            stopProtection();
    } else {
        const int answer = m_policy.show(
            BoxKind::SilentGated,
            QStringLiteral(
                "Starting Protection will make Torvane detect automatically if any new task is running. If, after this "
                "point, any task not currently in the safe list starts running, the user will be notified and asked to "
                "choose between a varriety of options. In case Torvane is in silent mode though, the new tasks will "
                "automatically be killed. \n\r\n\rDo you wish to start Protection now ?"),
            QStringLiteral("Start Protection"), MbYesNo | MbIconWarning);
        if (answer == IdYes) {
            if (!m_policy.silentMode() && m_options.treatShownAsHidden) {
                const int silent = m_policy.show(
                    BoxKind::SilentGated,
                    QStringLiteral(
                        "Starting Protection while the option of treating non-hidden tasks as hidden ones is selected "
                        "will result to all new tasks, including even messages from Torvane, to be monitored. \n\rThis "
                        "will cause Torvane to close itself when you try to activate silent mode.\n\rIf you plan to "
                        "switch to silent mode, it is recommended you do so now, so as for not having to mark the "
                        "appropriate messages as safe.\n\r\n\rDo you wish to enable the silent mode now ?"),
                    QStringLiteral("Switch to Silent Mode"), MbYesNo | MbIconWarning);
                if (silent == IdYes)
                    m_controls.silentModeAction->trigger();
            }
            startProtection();
        }
    }
    updateProtectionControls();
}

void Protection::setProtection(bool on) {
    if (on == protectionOn())
        return;
    if (on)
        startProtection();
    else
        stopProtection();
    updateProtectionControls();
}

void Protection::startProtection() {
    m_lists.RunningBefore.clear();
    ListAllTasks(m_windows, m_lists.RunningBefore);
    if (m_options.memoryWarning && !m_options.memoryLimitText.isEmpty()) {
        const std::int32_t limit = DigitsToInt(m_options.memoryLimitText);
        for (const TaskEntry& task : m_lists.RunningBefore)
            if (usesOver(task.handle, limit))
                m_lists.AllowedOfSize.push_back(task);
    }
    m_controls.protectionAction->setChecked(true);
}

void Protection::stopProtection() {
    m_controls.protectionAction->setChecked(false);
    m_lists.RunningBefore.clear();
    m_lists.AllowedOfSize.clear();
}

void Protection::updateProtectionControls() {
    const bool on = protectionOn();
    m_controls.protectionButton->setText(on ? QStringLiteral("Stop protection") : QStringLiteral("Start Protection"));
    m_controls.treatAllAsNewButton->setEnabled(on);
    m_controls.trayProtectionAction->setChecked(on);
    m_controls.protectionAction->setText(m_controls.protectionButton->text());
}

void Protection::onTreatAllAsNewClicked() {
    if (!m_policy.silentMode()) {
        const int answer = m_policy.show(
            BoxKind::SilentGated,
            QStringLiteral(
                "The program is currently monitoring all new tasks.\n\rThe action you chose will make the program "
                "forget which tasks were running when it started or were chosen to be allowed to run. The result will "
                "be for torvane to start identifying all running tasks as new ones.\n\rTherefore, in case you proceed, "
                "silent mode will be disactivated, for it could lead to potentially very unpleasant situations, were "
                "all system tasks not in the safe list are tried to be killed. By disactivating the silent mode "
                "though, it is ensured that nothing dangerouswill happen.\n\r\n\rDo you wish to proceed ?"),
            QStringLiteral("Treat all new tasks as new"), MbYesNo | MbIconWarning);
        if (answer != IdYes)
            return;
    } else {
        m_controls.silentModeAction->trigger(); // switched off as the menu item does it, boxes included
    }
    m_lists.RunningBefore.clear();
    m_lists.AllowedOfSize.clear();
}

void Protection::onMemoryWarningTriggered() {
    m_controls.memoryWarningAction->setChecked(!m_controls.memoryWarningAction->isChecked());
    m_controls.memoryWarningCheck->setChecked(m_controls.memoryWarningAction->isChecked());
}

void Protection::onMemoryWarningToggled() {
    m_controls.warnSafeListToCheck->setEnabled(m_options.memoryWarning);
    m_controls.memoryWarningAction->setChecked(m_options.memoryWarning);
}
