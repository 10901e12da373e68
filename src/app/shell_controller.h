#pragma once

#include "app/advanced_options_tab.h"
#include "app/main_form.h"

#include <QSize>
#include <functional>

class MessagePolicy;
class QMainWindow;
class QTimer;

// The main window's own commands: exit questions, collapsing to the menu, the temperature tab
// switch, the mirrored "keep settings" option, the option panels and the list popups.
class ShellController {
public:
    // Connects the exit, collapse, temperature tab, keep-settings and log-in items it serves.
    ShellController(MainForm& form, const AdvancedTabControls& advanced, QTimer* temperatureTimer, QMainWindow& window,
                    MessagePolicy& policy);

    // Ends the program (the event loop stops, then the main window is destroyed).
    std::function<void()> terminate;

    void onTrayExitTriggered();
    void onExitTriggered();
    void onCollapseToMenuTriggered();
    void onDisableTemperatureTabClicked();
    void onKeepSettingsTriggered();
    void onKeepSettingsToggled();
    // "Start Torvane when I log in": writes or removes the autostart entry; a failure puts the
    // box back to what is on disk before the error is reported.
    void onStartAtLoginToggled();
    // Opens a list popup at the cursor; replaceable so tests need no real menu loop.
    std::function<void(QMenu*)> openPopup;

private:
    bool askExit();

    MainForm& m_form;
    const AdvancedTabControls& m_advanced;
    QTimer* m_temperatureTimer;
    QMainWindow& m_window;
    MessagePolicy& m_policy;
};

// Window sizes of the expanded and collapsed main window.
namespace window_size {
constexpr int kClientWidth = 1208;
constexpr int kClientHeight = 854;
constexpr int kMinWidth = 1208;
constexpr int kMinHeight = 766;
constexpr int kCollapsedWidth = 350;
constexpr int kCollapsedHeight = 45;
// The expanded window's minimum, smaller on a screen that cannot hold the designed one.
QSize minimum();
} // namespace window_size
