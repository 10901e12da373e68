#include "temperature/t_temp_investigator.h"

#include "widgets/task_list_view.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

TTempInvestigator::TTempInvestigator(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("TempInvestigator"));
    setWindowTitle(QStringLiteral("TempInvestigator"));

    Label1 = new QLabel(QStringLiteral("Temperature risen by 0 degrees. Possible task reasons:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setStyleSheet(QStringLiteral("color: blue;"));
    ListBox1 = new TaskListView(false, this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    auto button = [this](const QString& caption, const char* name) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    Button1 = button(QStringLiteral("Kill"), "Button1");
    Button3 = button(QStringLiteral("Add to Kill List"), "Button3");
    Button2 = button(QStringLiteral("Done"), "Button2");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(Button3);
    buttons->addStretch(1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ListBox1, 1);
    layout->addLayout(buttons);

    connect(Button1, &QPushButton::clicked, this, &TTempInvestigator::Button1Click);
    connect(Button3, &QPushButton::clicked, this, &TTempInvestigator::Button3Click);
    connect(Button2, &QPushButton::clicked, this, &TTempInvestigator::Button2Click);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &TTempInvestigator::Timer1Timer);
    Timer1->start();

    resize(561, 269);
    const QScreen* screen = QGuiApplication::primaryScreen();
    move(screen ? screen->availableGeometry().topLeft() : QPoint(0, 0));
    winId();
}

void TTempInvestigator::request(std::int32_t value) {
    if (m_request)
        *m_request = value;
}

void TTempInvestigator::Button1Click() {
    request(kKillRequest);
}

void TTempInvestigator::Button3Click() {
    request(kAddToKillListRequest);
}

void TTempInvestigator::Button2Click() {
    hide();
}

void TTempInvestigator::Timer1Timer() {
    if (isVisible())
        raise();
}
