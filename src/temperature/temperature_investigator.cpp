#include "temperature/temperature_investigator.h"

#include "widgets/task_list_view.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

TemperatureInvestigator::TemperatureInvestigator(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("TempInvestigator"));
    setWindowTitle(QStringLiteral("TempInvestigator"));

    headingLabel = new QLabel(QStringLiteral("Temperature risen by 0 degrees. Possible task reasons:"), this);
    headingLabel->setObjectName(QStringLiteral("headingLabel"));
    headingLabel->setAlignment(Qt::AlignCenter);
    headingLabel->setStyleSheet(QStringLiteral("color: blue;"));
    suspectsView = new TaskListView(false, this);
    suspectsView->setObjectName(QStringLiteral("suspectsView"));
    auto button = [this](const QString& caption, const char* name) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    killButton = button(QStringLiteral("Kill"), "killButton");
    addToKillListButton = button(QStringLiteral("Add to Kill List"), "addToKillListButton");
    doneButton = button(QStringLiteral("Done"), "doneButton");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(killButton);
    buttons->addWidget(addToKillListButton);
    buttons->addStretch(1);
    buttons->addWidget(doneButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(headingLabel);
    layout->addWidget(suspectsView, 1);
    layout->addLayout(buttons);

    connect(killButton, &QPushButton::clicked, this, &TemperatureInvestigator::onKillClicked);
    connect(addToKillListButton, &QPushButton::clicked, this, &TemperatureInvestigator::onAddToKillListClicked);
    connect(doneButton, &QPushButton::clicked, this, &TemperatureInvestigator::onDoneClicked);

    raiseTimer = new QTimer(this);
    raiseTimer->setObjectName(QStringLiteral("raiseTimer"));
    raiseTimer->setInterval(500);
    connect(raiseTimer, &QTimer::timeout, this, &TemperatureInvestigator::onRaiseTick);
    raiseTimer->start();

    resize(561, 269);
    const QScreen* screen = QGuiApplication::primaryScreen();
    move(screen ? screen->availableGeometry().topLeft() : QPoint(0, 0));
    winId();
}

void TemperatureInvestigator::request(std::int32_t value) {
    if (m_request)
        *m_request = value;
}

void TemperatureInvestigator::onKillClicked() {
    request(kKillRequest);
}

void TemperatureInvestigator::onAddToKillListClicked() {
    request(kAddToKillListRequest);
}

void TemperatureInvestigator::onDoneClicked() {
    hide();
}

void TemperatureInvestigator::onRaiseTick() {
    if (isVisible())
        raise();
}
