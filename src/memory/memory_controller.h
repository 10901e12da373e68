#pragma once

#include "memory/memory_gauges.h"
#include "memory/memory_graph.h"
#include "memory/memory_history.h"
#include "memory/ram_controls.h"
#include "platform/memory_status.h"

#include <QColor>
#include <functional>

class QAction;
class QTabWidget;
struct SharedValues;

// The live memory state of the "RAM Management" tab: the four gauges with their lines, the
// free-memory percentage of the window caption and the graph of used memory.
class MemoryController {
public:
    // `graphShown` says whether the graph is to be drawn now (its tab shown, the window not
    // collapsed to its menu).
    MemoryController(const MemoryStatusControls& controls, platform::MemoryInfo& memory, SharedValues& values,
                     std::function<bool()> graphShown);

    // The memory part of statusTimer's tick: a sample, the gauges and lines, FreeMemPercent, and the
    // graph while it is shown.
    void sampleAndShow();

    // Takes one sample into the history and redraws the graph while it is shown.
    platform::MemoryStatus SampleMemory();
    void drawMemoryGraph();

    const MemoryHistory& history() const { return m_history; }
    const MemoryGraphLayout& graphLayout() const { return m_layout; }
    FreeMemColor freeMemColor() const { return m_freeColor; }
    // The colour the freePhysicalGauge bar shows for `color`.
    static QColor barColor(FreeMemColor color);

    // "Drawn while `page` is the shown page of `pages` and `collapse` is not checked".
    static std::function<bool()> graphShownWhen(const QTabWidget* pages, const QWidget* page, const QAction* collapse);

private:
    void showGauges(const MemoryGauges& gauges);

    MemoryStatusControls m_c;
    platform::MemoryInfo& m_memory;
    SharedValues& m_values;
    std::function<bool()> m_graphShown;
    MemoryHistory m_history;
    MemoryGraphLayout m_layout;
    FreeMemColor m_freeColor = FreeMemColor::HotLight;
    bool m_colorSet = false;
};

// The gauges' colour: the bar (highlight) colour of the progress bar.
void setBarColor(QProgressBar* bar, const QColor& color);
QColor barColorOf(const QProgressBar* bar);
