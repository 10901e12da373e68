// The controls of the "Temperature" tab and where they sit: the graphs side by side at the top,
// the reaction options under the left graph, zoom and colour buttons under the right one.
#include "temperature/temperature_tab.h"
#include "temperature/temperature_tab_image.h"
#include "widgets/form_builder.h"
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

    c.Graph2Heading = named(new QLabel(QStringLiteral("Graph of average and biggest core temperature"), this),
                            QStringLiteral("Graph2Heading"));
    c.Graph3Heading =
        named(new QLabel(QStringLiteral("Graph of all CPU core temperatures"), this), QStringLiteral("Graph3Heading"));
    c.Graph2 = named(new TemperatureImage(this), QStringLiteral("Graph2"));
    c.Graph3 = named(new TemperatureImage(this), QStringLiteral("Graph3"));
    c.ZoomIn = button("ZoomIn", QStringLiteral("Zoom In"));
    c.ZoomOut = button("ZoomOut", QStringLiteral("Zoom Out"));
    c.ZoomDef = button("ZoomDef", QStringLiteral("Zoom Default"));

    c.ColorPanel = named(new QScrollArea(this), QStringLiteral("ColorPanel"));
    auto* colors = new QWidget;
    auto* colorGrid = new QGridLayout(colors);
    for (int i = 0; i < TemperatureHistory::kCores; ++i) {
        c.CoreLabels[i] =
            named(new QLabel(QStringLiteral("Core %1:").arg(i + 1), colors), QStringLiteral("CoreLabel%1").arg(i + 1));
        c.ButtonColors[i] =
            named(new QPushButton(QStringLiteral("Change Color"), colors), QStringLiteral("ButtonColor%1").arg(i + 1));
        colorGrid->addWidget(c.CoreLabels[i], i, 0);
        colorGrid->addWidget(c.ButtonColors[i], i, 1);
        showButtonColor(i + 1);
    }
    c.ColorPanel->setWidget(colors);
    c.ColorPanel->setFixedHeight(140);

    c.Button30 = button("Button30", QStringLiteral("Start Core Temp to begin temperature monitoring"));
    c.CheckBox17 = checkBox(this, "CheckBox17", QStringLiteral("Start Core Temp with Torvane"), false);
    c.CheckBox21 =
        checkBox(this, "CheckBox21", QStringLiteral("Detect task-related reasons for temperature changes"), false);
    c.SpinEdit15 = spinEdit(this, "SpinEdit15", 0, 240, 9);
    c.SpinEdit13 = spinEdit(this, "SpinEdit13", 0, 240, 90);
    c.CheckBox15 =
        checkBox(this, "CheckBox15",
                 QStringLiteral("Kill all tasks not in the safe list, whose parrent is consuming over "), false);
    c.SpinEdit14 = spinEdit(this, "SpinEdit14", 0, 0, 0); // no limits
    c.CheckBox16 = checkBox(this, "CheckBox16", QStringLiteral("Stop any Task Management options"), true);
    c.CheckBox19 = checkBox(this, "CheckBox19",
                            QStringLiteral("Stop automatical memory optimization and free all consumed memory"), true);
    c.CheckBox18 = checkBox(this, "CheckBox18", QStringLiteral("Stop automatical IP retrieval"), true);
    c.CheckBox22 = checkBox(this, "CheckBox22", QStringLiteral("Forcibly Shut Down computer"), false);
    c.CheckBox23 = checkBox(this, "CheckBox23", QStringLiteral("Reboot instead of completely shutting down"), true);
    c.CheckBox23->setEnabled(false);

    auto* graphs = new QGridLayout;
    graphs->setHorizontalSpacing(30);
    graphs->addWidget(c.Graph2Heading, 0, 0);
    graphs->addWidget(c.Graph3Heading, 0, 1);
    graphs->addWidget(c.Graph2, 1, 0);
    graphs->addWidget(c.Graph3, 1, 1);
    graphs->setRowStretch(1, 1);

    auto* options = new QVBoxLayout;
    options->addWidget(c.Button30);
    options->addWidget(c.CheckBox17);
    options->addWidget(c.CheckBox21);
    options->addLayout(textAround(this, QStringLiteral("Allow for changes of temperature up to"), c.SpinEdit15,
                                  QStringLiteral("degrees without warning")));
    options->addLayout(
        textAround(this, QStringLiteral("If biggest temperature over"), c.SpinEdit13, QStringLiteral("C")));
    auto* killRow = new QHBoxLayout;
    killRow->addWidget(c.CheckBox15);
    killRow->addWidget(c.SpinEdit14);
    killRow->addStretch(1);
    options->addLayout(killRow);
    options->addWidget(c.CheckBox16);
    options->addWidget(c.CheckBox19);
    options->addWidget(c.CheckBox18);
    options->addWidget(c.CheckBox22);
    options->addWidget(c.CheckBox23);
    options->addStretch(1);

    auto* zoom = new QHBoxLayout;
    zoom->addWidget(c.ZoomIn);
    zoom->addWidget(c.ZoomOut);
    zoom->addWidget(c.ZoomDef);
    zoom->addStretch(1);
    auto* graphTools = new QVBoxLayout;
    graphTools->addLayout(zoom);
    graphTools->addWidget(c.ColorPanel);
    graphTools->addStretch(1);

    graphs->addLayout(options, 2, 0);
    graphs->addLayout(graphTools, 2, 1);
    auto* page = new QHBoxLayout(this);
    page->addLayout(graphs);
    page->addStretch(1);
}
