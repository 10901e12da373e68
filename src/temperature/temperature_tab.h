#pragma once

#include "core/shared_values.h"
#include "temperature/core_temp_starter.h"
#include "temperature/temperature_graph.h"
#include "temperature/temperature_history.h"
#include "temperature/temperature_options.h"
#include "temperature/temperature_reactions.h"
#include "temperature/temperature_tab_controls.h"

#include <QWidget>
#include <functional>

class MessagePolicy;
class QAction;
class QCheckBox;
class QTimer;
class TaskActions;

namespace platform {
struct Platform;
}

// The page of the "Temperature" tab: the two graphs with their zoom and colour buttons, the
// options of the reactions, and the temperature history they all work from. The tab connects its
// controls, its sampling timer and the main menu's temperature items; their handlers run inside the
// general error report.
class TemperatureTab : public QWidget {
    Q_OBJECT
public:
    // `graphsShowing`: whether the tab is the one shown and the window is not collapsed to its
    // menu; the graphs are drawn only then. `coreTempSearchFolder`: where the dialog that looks
    // for the publisher opens. Dialogs are owned by the policy's main window.
    TemperatureTab(const TemperatureMenuItems& menu, SharedValues& values, platform::Platform& platform,
                   MessagePolicy& policy, TaskActions& taskActions, std::function<bool()> graphsShowing,
                   TemperatureReactionHooks hooks, TemperatureInvestigator& investigator,
                   std::function<QString()> coreTempSearchFolder, QWidget* parent = nullptr);

    TemperatureControls& controls() { return m_controls; }
    const TemperatureOptions& options() const { return m_options; }
    // Samples every 150 ms while the tab is enabled; stopped, the tab is switched off.
    QTimer* temperatureTimer() const { return m_temperatureTimer; }
    TemperatureReactions& reactions() { return m_reactions; }
    CoreTempStarter& starter() { return m_starter; }
    const TemperatureHistory& history() const { return m_history; }
    int graphSpan() const { return m_graphSpan; }
    const CoreColors& coreColors() const { return m_coreColors; }

    // The 150 ms temperature tick: sample, graphs while shown, CurrentTemp, jump detection.
    void onTemperatureTick();
    void drawAverageTemperatureGraph();
    void drawCoreTemperatureGraph();
    void onZoomInClicked();
    void onZoomOutClicked();
    void onZoomDefaultClicked();
    // Colour button of core ni (1..8).
    void onColorButtonClicked(int ni);
    GraphColor colorOfButton(int ni) const { return m_coreColors.colorOfButton(ni); }
    void onStartCoreTempClicked() { m_starter.StartCoreTemp(); }

private:
    void createControls();
    void connectHandlers();
    void connectMenu();
    // The box and the menu item show one option: a menu click flips the item's mark and sets the
    // box, a change of the box copies its state to the item.
    void mirrorMenuItem(QCheckBox* box, QAction* item);
    void showOverheatThreshold();
    void showButtonColor(int ni);

    SharedValues& m_values;
    platform::Platform& m_platform;
    MessagePolicy& m_policy;
    std::function<bool()> m_graphsShowing;
    TemperatureMenuItems m_menu;
    TemperatureControls m_controls;
    TemperatureOptions m_options;
    QTimer* m_temperatureTimer = nullptr;
    TemperatureHistory m_history;
    int m_graphSpan = kDefaultGraphSpan;
    CoreColors m_coreColors;
    TemperatureReactions m_reactions;
    CoreTempStarter m_starter;
};
