#pragma once

#include "schedule/countdown_controller.h"

#include <QWidget>
#include <memory>

class QProgressBar;
class QTimer;

// The "Auto Windows Actions" tab: its controls, its options, its countdown timer and the controller
// behind them. The countdown's progress bar sits below the main window's tabs and is handed in.
class AutoWindowsActionsTab : public QWidget {
    Q_OBJECT
public:
    AutoWindowsActionsTab(platform::SystemActions& actions, MessagePolicy& policy, QProgressBar* countdownProgressBar,
                          QWidget* parent = nullptr);
    ~AutoWindowsActionsTab() override;

    const AutoWindowsActionsControls& controls() const { return m_controls; }
    const CountdownOptions& options() const { return m_options; }
    // Ticks once a second while a countdown runs.
    QTimer* countdownTimer() const { return m_controls.countdownTimer; }
    CountdownController& controller() { return *m_controller; }

private:
    QWidget* createCountdownRow();

    MessagePolicy& m_policy;
    AutoWindowsActionsControls m_controls;
    CountdownOptions m_options;
    std::unique_ptr<CountdownController> m_controller;
};
