#pragma once

#include "app/main_form.h"
#include "app/settings_store.h"
#include "core/message_policy.h"
#include "core/shared_values.h"
#include "platform/platform.h"
#include "widgets/guarded_connect.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class ActivityFile;
class ActivityLog;
class AdvancedOptionsTab;
class AutoWindowsActionsTab;
class EncryptionTab;
class InternetTab;
class RamTab;
class TemperatureTab;
class QAction;
class QTimer;
class QSystemTrayIcon;
class ShellController;
class SilentModeController;
class TrayController;
class ListCommands;
class ListFileController;
class Protection;
class RecognitionHandlers;
class TaskActions;
class TaskManagementTab;
class TaskListController;
class TaskActionWindow;
class HelpWindow;
class HistoryWindow;
class TemperatureInvestigator;

// The main window: owner of every control, hidden list and timer, and of the controllers that
// handle them. Closing it ends the program.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Runs onCreated while being created, then makes its settings store.
    MainWindow(platform::Platform& platform, SharedValues& values, const SettingsStoreFactory& makeSettings);
    ~MainWindow() override;

    MainForm& form() { return m_form; }
    SharedValues& values() { return m_values; }
    MessagePolicy& policy() { return m_policy; }
    platform::Platform& platform() { return m_platform; }
    ShellController& shell() { return *m_shell; }
    TrayController& tray() { return *m_trayController; }
    SilentModeController& silentMode() { return *m_silentMode; }
    TaskListController& taskList() { return *m_taskList; }
    TaskActions& taskActions() { return *m_taskActions; }
    ActivityLog& activityLog() { return *m_activityLog; }
    TaskActionWindow& newTask() { return *m_newTask; }
    HelpWindow& helping() { return *m_helping; }
    HistoryWindow& history() { return *m_history; }
    TemperatureInvestigator& investigator() { return *m_investigator; }
    ListFileController& listFile() { return *m_listFile; }
    ListCommands& listCommands() { return *m_listCommands; }
    Protection& protection() { return *m_protection; }
    RecognitionHandlers& recognition() { return *m_recognition; }
    TaskManagementTab& taskTab() { return *m_taskTab; }
    AdvancedOptionsTab& advancedTab() { return *m_advancedTab; }
    EncryptionTab& encryptionTab() { return *m_encryptionTab; }
    InternetTab& internetTab() { return *m_internetTab; }
    RamTab& ramTab() { return *m_ramTab; }
    TemperatureTab& temperatureTab() { return *m_temperatureTab; }
    AutoWindowsActionsTab& autoActionsTab() { return *m_autoActionsTab; }
    SettingsStore& settings() { return *m_settings; }

    // Said once, after the settings are applied (so silent mode keeps it quiet); empty says nothing.
    QString startNotice;

    void onCreated();
    void onPainted();
    void onDestroyed();
    // Every 150 ms: the connection state, then the memory sample.
    void onStatusTick();
    // Every 2.5 s: the All Task List, then the over-temperature check.
    void onRefreshTick();

    // Runs a handler inside the general error report; returns false when it failed.
    bool guarded(const std::function<void()>& handler);
    // Connects a signal to a handler that runs inside the general error report.
    template <typename Sender, typename Signal>
    void handle(Sender* sender, Signal signal, std::function<void()> handler) {
        connectGuarded(sender, signal, this, m_policy, std::move(handler));
    }
    // Connects a timer; a tick that comes while the previous one (or its error report) is still
    // open is skipped, so boxes never stack; `meanwhile` (a step that opens no box) then runs at
    // the timer's period instead.
    void handleTimer(QTimer* timer, std::function<void()> handler, std::function<void()> meanwhile = {});
    // Connects a menu item; the handler alone decides the item's check mark.
    void handleMenuItem(QAction* item, std::function<void()> handler);

    bool formPaintDone() const { return m_formPainted; }
    QSystemTrayIcon* trayIcon() const { return m_tray; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWindow();
    void buildTaskTabs();
    void buildSubsystemTabs();
    void connectPanelsAndPopups();

    platform::Platform& m_platform;
    SharedValues& m_values;
    MainForm m_form;
    MessageOptions m_messageOptions; // bound to the silent-mode item and the confirmation box
    MessagePolicy m_policy;
    std::unique_ptr<ShellController> m_shell;
    std::unique_ptr<SilentModeController> m_silentMode;
    std::unique_ptr<TrayController> m_trayController;
    std::unique_ptr<TaskListController> m_taskList;
    // Declared first: the log's writer thread ends before the file it writes goes away.
    std::unique_ptr<ActivityFile> m_activityFile;
    std::unique_ptr<ActivityLog> m_activityLog;
    std::unique_ptr<TaskActions> m_taskActions;
    std::unique_ptr<ListFileController> m_listFile;
    std::unique_ptr<TaskActionWindow> m_newTask;
    std::unique_ptr<HelpWindow> m_helping;
    std::unique_ptr<HistoryWindow> m_history;
    std::unique_ptr<TemperatureInvestigator> m_investigator;
    std::unique_ptr<ListCommands> m_listCommands;
    std::unique_ptr<Protection> m_protection;
    std::unique_ptr<RecognitionHandlers> m_recognition;
    TaskManagementTab* m_taskTab = nullptr;
    AdvancedOptionsTab* m_advancedTab = nullptr;
    EncryptionTab* m_encryptionTab = nullptr;
    InternetTab* m_internetTab = nullptr;
    RamTab* m_ramTab = nullptr;
    TemperatureTab* m_temperatureTab = nullptr;
    AutoWindowsActionsTab* m_autoActionsTab = nullptr;
    QSystemTrayIcon* m_tray = nullptr;
    std::unique_ptr<SettingsStore> m_settings;
    bool m_formPainted = false;
    bool m_destroyed = false;
};
