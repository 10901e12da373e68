#pragma once

#include "internet/internet_controller.h"
#include "internet/internet_controls.h"

#include <QWidget>
#include <memory>

class MessagePolicy;
class QAction;
class QTimer;

namespace platform {
class Network;
}

// The "Internet" tab: its controls and the controller behind them. The retrieval timer `addressLookupTimer`
// and the silent-mode item `silentModeAction` belong to the main window and are handed in; `policy`
// must read silent mode from that same item.
class InternetTab : public QWidget {
    Q_OBJECT
public:
    InternetTab(platform::Network& network, MessagePolicy& policy, QTimer* lookupTimer, QAction* silentModeAction,
                QWidget* parent = nullptr);
    ~InternetTab() override;

    InternetControls& controls() { return m_controls; }
    InternetController& controller() { return *m_controller; }

private:
    QWidget* createPeriodicRow();

    MessagePolicy& m_policy;
    InternetControls m_controls;
    std::unique_ptr<InternetController> m_controller;
};
