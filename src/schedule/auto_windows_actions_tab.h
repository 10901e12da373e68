#pragma once

#include "schedule/countdown_controller.h"

#include <QWidget>
#include <memory>

class QProgressBar;
class QTimer;

// The "Auto Windows Actions" tab: its controls and the controller behind them. The countdown
// timer and its progress bar belong to the main window and are handed in.
class AutoWindowsActionsTab : public QWidget {
    Q_OBJECT
public:
    AutoWindowsActionsTab(platform::SystemActions& actions, MessagePolicy& policy, QTimer* countdown,
                          QProgressBar* actCountoun, QWidget* parent = nullptr);
    ~AutoWindowsActionsTab() override;

    const AutoWindowsActionsControls& controls() const { return m_controls; }
    CountdownController& controller() { return *m_controller; }

private:
    QWidget* createCountdownRow();

    MessagePolicy& m_policy;
    AutoWindowsActionsControls m_controls;
    std::unique_ptr<CountdownController> m_controller;
};
