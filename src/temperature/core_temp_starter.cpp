#include "temperature/core_temp_starter.h"

#include "core/message_policy.h"
#include "platform/dialogs.h"
#include "platform/shell.h"

#include <QFileInfo>

using namespace platform;

CoreTempStarter::CoreTempStarter(std::function<QString()> baseDir, Shell& shell, Dialogs& dialogs,
                                 MessagePolicy& policy, std::function<QString()> searchFolder)
    : m_baseDir(std::move(baseDir)), m_shell(shell), m_dialogs(dialogs), m_policy(policy),
      m_searchFolder(std::move(searchFolder)) {}

void CoreTempStarter::StartCoreTemp() {
    const QString path = m_baseDir() + executableName();
    // A folder of that name is not the program.
    if (QFileInfo(path).isFile()) {
        m_shell.startFile(path);
        return;
    }
    if (m_policy.silentMode())
        return;
    const QString lineBreak = QStringLiteral("\n\r");
    const QString text = QStringLiteral("Could not find: ") + path + lineBreak +
                         QStringLiteral("Please make sure that you have included Core Temp") + lineBreak +
                         QStringLiteral("during the installation of Torvane.") + lineBreak +
                         QStringLiteral("Press RETRY to search for the program Core Temp manually.");
    // The box has no owner window.
    if (m_policy.showOwned(BoxKind::SilentGated, nullptr, text, QStringLiteral("File not found"),
                           MbRetryCancel | MbIconError) != IdRetry)
        return;
    const std::optional<QString> picked = m_dialogs.openFileName(
        m_policy.mainWindow(), QStringLiteral("Find Core Temp application"),
        QStringLiteral("Core Temp executable|") + executableName(), m_searchFolder ? m_searchFolder() : QString());
    if (picked && !picked->isEmpty())
        m_shell.startFile(*picked);
}
