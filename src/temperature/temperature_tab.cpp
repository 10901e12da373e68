#include "temperature/temperature_tab.h"

#include "core/message_policy.h"
#include "platform/platform.h"
#include "temperature/core_temp_reader.h"
#include "temperature/temperature_graph_painter.h"
#include "temperature/temperature_tab_image.h"
#include "widgets/guarded_connect.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTimer>

TemperatureTab::TemperatureTab(const TemperatureMenuItems& menu, SharedValues& values, platform::Platform& platform,
                               MessagePolicy& policy, TaskActions& taskActions, std::function<bool()> graphsShowing,
                               TemperatureReactionHooks hooks, TemperatureInvestigator& investigator,
                               std::function<QString()> coreTempSearchFolder, QWidget* parent)
    : QWidget(parent), m_values(values), m_platform(platform), m_policy(policy),
      m_graphsShowing(std::move(graphsShowing)), m_menu(menu),
      m_reactions(values, m_options, m_history, platform.windows, taskActions, std::move(hooks), investigator),
      m_starter([&values] { return values.CompanionDir.isEmpty() ? values.BaseDir : values.CompanionDir; },
                platform.shell, platform.dialogs, policy, std::move(coreTempSearchFolder)) {
    m_temperatureTimer = new QTimer(this);
    m_temperatureTimer->setObjectName(QStringLiteral("temperatureTimer"));
    m_temperatureTimer->setInterval(150);
    m_temperatureTimer->start();
    createControls();
    connectHandlers();
    connectMenu();
}

void TemperatureTab::onTemperatureTick() {
    SampleTemperatures(m_history, m_platform.sharedMemory);
    if (m_graphsShowing && m_graphsShowing()) {
        drawAverageTemperatureGraph();
        drawCoreTemperatureGraph();
    }
    m_values.CurrentTemp = m_history.CurrentTemp();
    m_reactions.DetectTemperatureChange();
}

void TemperatureTab::drawAverageTemperatureGraph() {
    TemperatureImage* image = m_controls.averageTemperatureGraph;
    image->setImage(renderTemperatureGraph(computeAverageGraph(m_history, m_graphSpan, image->canvasSize())));
}

void TemperatureTab::drawCoreTemperatureGraph() {
    TemperatureImage* image = m_controls.coreTemperatureGraph;
    image->setImage(
        renderTemperatureGraph(computeCoreGraph(m_history, m_graphSpan, image->canvasSize(), m_coreColors)));
}

void TemperatureTab::onZoomInClicked() {
    m_graphSpan = zoomIn(m_graphSpan);
}

void TemperatureTab::onZoomOutClicked() {
    m_graphSpan = zoomOut(m_graphSpan);
}

void TemperatureTab::onZoomDefaultClicked() {
    m_graphSpan = zoomDefault();
}

void TemperatureTab::onColorButtonClicked(int ni) {
    const QColor current = toQColor(m_coreColors.colorOfButton(ni), systemHotLightColor());
    const std::optional<QColor> chosen = m_platform.dialogs.chooseColor(m_policy.mainWindow(), current);
    if (!chosen || !chosen->isValid() || chosen->rgb() == current.rgb())
        return;
    m_coreColors.setColor(ni, fromQColor(*chosen));
    showButtonColor(ni);
}

void TemperatureTab::showButtonColor(int ni) {
    const QColor color = toQColor(m_coreColors.colorOfButton(ni), systemHotLightColor());
    const QColor text = qGray(color.rgb()) < 128 ? QColor(Qt::white) : QColor(Qt::black);
    m_controls.colorButtons[ni - 1]->setStyleSheet(
        QStringLiteral("background-color: %1; color: %2;").arg(color.name(), text.name()));
}

void TemperatureTab::connectHandlers() {
    TemperatureControls& c = m_controls;
    connectGuardedTimer(m_temperatureTimer, this, m_policy, [this] { onTemperatureTick(); });
    auto onClick = [this](QPushButton* button, std::function<void()> handler) {
        connectGuarded(button, &QPushButton::clicked, this, m_policy, std::move(handler));
    };
    // Check boxes react to every change of state, from the user or from code.
    auto onToggle = [this](QCheckBox* box, std::function<void()> handler) {
        connectGuarded(box, &QCheckBox::toggled, this, m_policy, std::move(handler));
    };
    onClick(c.zoomInButton, [this] { onZoomInClicked(); });
    onClick(c.zoomOutButton, [this] { onZoomOutClicked(); });
    onClick(c.zoomDefaultButton, [this] { onZoomDefaultClicked(); });
    for (int ni = 1; ni <= TemperatureHistory::kCores; ++ni)
        onClick(c.colorButtons[ni - 1], [this, ni] { onColorButtonClicked(ni); });
    onClick(c.startCoreTempButton, [this] { onStartCoreTempClicked(); });
    onToggle(c.overheatShutDownCheck,
             [this] { m_controls.overheatRebootCheck->setEnabled(m_options.overheatShutDown); });
    // Both spin edits update the caption; it always shows the threshold.
    connectGuarded(c.overheatThresholdSpin, &SpinEdit::changed, this, m_policy, [this] { showOverheatThreshold(); });
    connectGuarded(c.changeToleranceSpin, &SpinEdit::changed, this, m_policy, [this] { showOverheatThreshold(); });
}
