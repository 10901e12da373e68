#pragma once

#include "memory/consume_controller.h"
#include "memory/memory_controller.h"
#include "memory/memory_options.h"
#include "memory/ram_controls.h"

#include <QWidget>
#include <functional>
#include <memory>

class HeapAllocator;
class MessagePolicy;
class QTimer;
struct SharedValues;

namespace platform {
class MemoryInfo;
}

// The page of the "RAM Management" tab: every control of it, laid out, with the options they set and
// the controllers behind them. The tab connects its controls, the main menu's memory items and its
// own `minuteTimer`, each handler run inside the general error report; the main window wires
// consumePanelButton.
class RamTab : public QWidget {
    Q_OBJECT
public:
    // `graphShown` tells whether the graph is to be drawn (see MemoryController::graphShownWhen).
    // `heap` is where consumed memory comes from; the program's heap when none is given.
    RamTab(platform::MemoryInfo& memory, MessagePolicy& policy, SharedValues& values, const MemoryMenuItems& menu,
           std::function<bool()> graphShown, HeapAllocator* heap = nullptr, QWidget* parent = nullptr);
    ~RamTab() override;

    const RamControls& controls() const { return m_controls; }
    const MemoryOptions& options() const { return m_options; }
    // Runs the periodic optimization and rewrite, once a minute from the start.
    QTimer* minuteTimer() const { return m_minuteTimer; }
    QPushButton* consumePanelButton() const { return m_controls.consumePanelButton; }
    QWidget* consumePanel() const { return m_controls.consumePanel; }

    MemoryController& memory() { return *m_memory; }
    ConsumeController& consume() { return *m_consume; }

private:
    QLayout* createStatusControls();
    QWidget* createConsumePanel();
    QLayout* createOptimizeControls();
    void connectHandlers();
    void connectMenu(const MemoryMenuItems& menu);

    MessagePolicy& m_policy;
    RamControls m_controls;
    MemoryOptions m_options;
    QTimer* m_minuteTimer = nullptr;
    std::unique_ptr<HeapAllocator> m_ownHeap;
    std::unique_ptr<MemoryController> m_memory;
    std::unique_ptr<ConsumeController> m_consume;
};
