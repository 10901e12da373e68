#pragma once

#include "internet/internet_controller.h"
#include "internet/internet_controls.h"
#include "internet/internet_options.h"

#include <QWidget>
#include <memory>

class MessagePolicy;
class QAction;
class QTimer;

namespace platform {
class Network;
}

// The "Internet" tab: its controls, the options they set, its retrieval timer `addressLookupTimer` and
// the controller behind them. The silent-mode item `silentModeAction` belongs to the main menu and is
// handed in; `policy` must read silent mode from that same item.
class InternetTab : public QWidget {
    Q_OBJECT
public:
    InternetTab(platform::Network& network, MessagePolicy& policy, QAction* silentModeAction,
                QWidget* parent = nullptr);
    ~InternetTab() override;

    InternetControls& controls() { return m_controls; }
    const InternetOptions& options() const { return m_options; }
    // Retrieves the address periodically while periodicLookupCheck is ticked.
    QTimer* addressLookupTimer() const { return m_addressLookupTimer; }
    InternetController& controller() { return *m_controller; }

private:
    QWidget* createPeriodicRow();

    MessagePolicy& m_policy;
    InternetControls m_controls;
    InternetOptions m_options;
    QTimer* m_addressLookupTimer = nullptr;
    std::unique_ptr<InternetController> m_controller;
};
