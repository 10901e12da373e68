#pragma once

#include "memory/consume_controller.h"
#include "memory/memory_controller.h"
#include "memory/ram_controls.h"

#include <QWidget>
#include <functional>
#include <memory>

class HeapAllocator;
class MessagePolicy;
class QAction;
struct SharedValues;

namespace platform {
class MemoryInfo;
}

// The page of the "RAM Management" tab: every control of it, laid out, with the controllers behind
// them. The tab's own controls run their handlers inside the general error report; the main
// window wires consumePanelButton, the menu items and the timers.
class RamTab : public QWidget {
    Q_OBJECT
public:
    // `graphShown` tells whether the graph is to be drawn (see MemoryController::graphShownWhen).
    // `heap` is where consumed memory comes from; the program's heap when none is given.
    RamTab(platform::MemoryInfo& memory, MessagePolicy& policy, SharedValues& values, QAction* periodicOptimizeAction,
           std::function<bool()> graphShown, HeapAllocator* heap = nullptr, QWidget* parent = nullptr);
    ~RamTab() override;

    const RamControls& controls() const { return m_controls; }
    QPushButton* consumePanelButton() const { return m_controls.consumePanelButton; }
    QWidget* consumePanel() const { return m_controls.consumePanel; }

    MemoryController& memory() { return *m_memory; }
    ConsumeController& consume() { return *m_consume; }

private:
    QLayout* createStatusControls();
    QWidget* createConsumePanel();
    QLayout* createOptimizeControls();
    void connectHandlers();

    MessagePolicy& m_policy;
    RamControls m_controls;
    std::unique_ptr<HeapAllocator> m_ownHeap;
    std::unique_ptr<MemoryController> m_memory;
    std::unique_ptr<ConsumeController> m_consume;
};
