// The controls of the "Temperature" tab and where they sit: the graphs side by side at the top,
// the reaction options under the left graph, zoom and colour buttons under the right one.
#include "temperature/temperature_tab.h"
#include "temperature/temperature_tab_image.h"
#include "widgets/form_builder.h"
#include "widgets/option_binding.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

using form::checkBox;
using form::named;
using form::spinEdit;

namespace {

// A line of text with a field where its blanks are.
QHBoxLayout* textAround(QWidget* parent, const QString& before, QWidget* field, const QString& after) {
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(before, parent));
    row->addWidget(field);
    if (!after.isEmpty())
        row->addWidget(new QLabel(after, parent));
    row->addStretch(1);
    return row;
}

} // namespace

void TemperatureTab::createControls() {
    TemperatureControls& c = m_controls;
    auto button = [this](const char* name, const QString& caption) {
        return named(new QPushButton(caption, this), QLatin1String(name));
    };

    c.averageTemperatureHeading =
        named(new QLabel(QStringLiteral("Graph of average and biggest core temperature"), this),
              QStringLiteral("averageTemperatureHeading"));
    c.coreTemperatureHeading = named(new QLabel(QStringLiteral("Graph of all CPU core temperatures"), this),
                                     QStringLiteral("coreTemperatureHeading"));
    c.averageTemperatureGraph = named(new TemperatureImage(this), QStringLiteral("averageTemperatureGraph"));
    c.coreTemperatureGraph = named(new TemperatureImage(this), QStringLiteral("coreTemperatureGraph"));
    c.zoomInButton = button("ZoomIn", QStringLiteral("Zoom In"));
    c.zoomOutButton = button("ZoomOut", QStringLiteral("Zoom Out"));
    c.zoomDefaultButton = button("ZoomDef", QStringLiteral("Zoom Default"));

    c.colorPanel = named(new QScrollArea(this), QStringLiteral("ColorPanel"));
    auto* colors = new QWidget;
    auto* colorGrid = new QGridLayout(colors);
    for (int i = 0; i < TemperatureHistory::kCores; ++i) {
        c.coreLabels[i] =
            named(new QLabel(QStringLiteral("Core %1:").arg(i + 1), colors), QStringLiteral("CoreLabel%1").arg(i + 1));
        c.colorButtons[i] =
            named(new QPushButton(QStringLiteral("Change Color"), colors), QStringLiteral("ButtonColor%1").arg(i + 1));
        colorGrid->addWidget(c.coreLabels[i], i, 0);
        colorGrid->addWidget(c.colorButtons[i], i, 1);
        showButtonColor(i + 1);
    }
    c.colorPanel->setWidget(colors);
    c.colorPanel->setFixedHeight(140);

    c.startCoreTempButton =
        button("startCoreTempButton", QStringLiteral("Start Core Temp to begin temperature monitoring"));
    c.startCoreTempWithTorvaneCheck =
        checkBox(this, "startCoreTempWithTorvaneCheck", QStringLiteral("Start Core Temp with Torvane"), false);
    bind::checked(c.startCoreTempWithTorvaneCheck, m_options.startCoreTempWithTorvane);
    c.detectTemperatureChangesCheck =
        checkBox(this, "detectTemperatureChangesCheck",
                 QStringLiteral("Detect task-related reasons for temperature changes"), false);
    bind::checked(c.detectTemperatureChangesCheck, m_options.detectTemperatureChanges);
    c.changeToleranceSpin = spinEdit(this, "changeToleranceSpin", 0, 240, 9);
    bind::text(c.changeToleranceSpin, m_options.changeTolerance);
    c.overheatThresholdSpin = spinEdit(this, "overheatThresholdSpin", 0, 240, 90);
    bind::text(c.overheatThresholdSpin, m_options.overheatThreshold);
    c.overheatKillCheck =
        checkBox(this, "overheatKillCheck",
                 QStringLiteral("Kill all tasks not in the safe list, whose parrent is consuming over "), false);
    bind::checked(c.overheatKillCheck, m_options.overheatKill);
    c.overheatKillUsageSpin = spinEdit(this, "overheatKillUsageSpin", 0, 0, 0); // no limits
    bind::text(c.overheatKillUsageSpin, m_options.overheatKillUsage);
    c.overheatStopProtectionCheck =
        checkBox(this, "overheatStopProtectionCheck", QStringLiteral("Stop any Task Management options"), true);
    bind::checked(c.overheatStopProtectionCheck, m_options.overheatStopProtection);
    c.overheatStopMemoryCheck =
        checkBox(this, "overheatStopMemoryCheck",
                 QStringLiteral("Stop automatical memory optimization and free all consumed memory"), true);
    bind::checked(c.overheatStopMemoryCheck, m_options.overheatStopMemory);
    c.overheatStopLookupCheck =
        checkBox(this, "overheatStopLookupCheck", QStringLiteral("Stop automatical IP retrieval"), true);
    bind::checked(c.overheatStopLookupCheck, m_options.overheatStopLookup);
    c.overheatShutDownCheck =
        checkBox(this, "overheatShutDownCheck", QStringLiteral("Forcibly Shut Down computer"), false);
    bind::checked(c.overheatShutDownCheck, m_options.overheatShutDown);
    c.overheatRebootCheck =
        checkBox(this, "overheatRebootCheck", QStringLiteral("Reboot instead of completely shutting down"), true);
    bind::checked(c.overheatRebootCheck, m_options.overheatReboot);
    c.overheatRebootCheck->setEnabled(false);

    auto* graphs = new QGridLayout;
    graphs->setHorizontalSpacing(30);
    graphs->addWidget(c.averageTemperatureHeading, 0, 0);
    graphs->addWidget(c.coreTemperatureHeading, 0, 1);
    graphs->addWidget(c.averageTemperatureGraph, 1, 0);
    graphs->addWidget(c.coreTemperatureGraph, 1, 1);
    graphs->setRowStretch(1, 1);

    auto* options = new QVBoxLayout;
    options->addWidget(c.startCoreTempButton);
    options->addWidget(c.startCoreTempWithTorvaneCheck);
    options->addWidget(c.detectTemperatureChangesCheck);
    options->addLayout(textAround(this, QStringLiteral("Allow for changes of temperature up to"), c.changeToleranceSpin,
                                  QStringLiteral("degrees without warning")));
    options->addLayout(
        textAround(this, QStringLiteral("If biggest temperature over"), c.overheatThresholdSpin, QStringLiteral("C")));
    auto* killRow = new QHBoxLayout;
    killRow->addWidget(c.overheatKillCheck);
    killRow->addWidget(c.overheatKillUsageSpin);
    killRow->addStretch(1);
    options->addLayout(killRow);
    options->addWidget(c.overheatStopProtectionCheck);
    options->addWidget(c.overheatStopMemoryCheck);
    options->addWidget(c.overheatStopLookupCheck);
    options->addWidget(c.overheatShutDownCheck);
    options->addWidget(c.overheatRebootCheck);
    options->addStretch(1);

    auto* zoom = new QHBoxLayout;
    zoom->addWidget(c.zoomInButton);
    zoom->addWidget(c.zoomOutButton);
    zoom->addWidget(c.zoomDefaultButton);
    zoom->addStretch(1);
    auto* graphTools = new QVBoxLayout;
    graphTools->addLayout(zoom);
    graphTools->addWidget(c.colorPanel);
    graphTools->addStretch(1);

    graphs->addLayout(options, 2, 0);
    graphs->addLayout(graphTools, 2, 1);
    auto* page = new QHBoxLayout(this);
    page->addLayout(graphs);
    page->addStretch(1);
}
