#pragma once

#include <QString>
#include <functional>

class MessagePolicy;

namespace platform {
class Dialogs;
class Shell;
} // namespace platform

// Starts the temperature publisher, the companion program "core-temp" beside Torvane.
class CoreTempStarter {
public:
    // `baseDir` is read at each start (it is fixed only once the main window exists);
    // `searchFolder` gives the folder the retry dialog opens in.
    CoreTempStarter(std::function<QString()> baseDir, platform::Shell& shell, platform::Dialogs& dialogs,
                    MessagePolicy& policy, std::function<QString()> searchFolder);

    static QString executableName() { return QStringLiteral("core-temp"); }

    // onStartCoreTempClicked and "Start Core Temp now"; also run once at start-up when chosen.
    void StartCoreTemp();

private:
    std::function<QString()> m_baseDir;
    platform::Shell& m_shell;
    platform::Dialogs& m_dialogs;
    MessagePolicy& m_policy;
    std::function<QString()> m_searchFolder;
};
