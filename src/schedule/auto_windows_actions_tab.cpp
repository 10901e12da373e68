#include "schedule/auto_windows_actions_tab.h"

#include "core/message_policy.h"
#include "widgets/guarded_connect.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString kTimePrefix = QStringLiteral("Countdown time:");
const QString kGap = QString(16, QLatin1Char(' '));

} // namespace

AutoWindowsActionsTab::AutoWindowsActionsTab(platform::SystemActions& actions, MessagePolicy& policy, QTimer* countdown,
                                             QProgressBar* actCountoun, QWidget* parent)
    : QWidget(parent), m_policy(policy) {
    auto& c = m_controls;
    c.Countdown = countdown;
    c.ActCountoun = actCountoun;

    auto* column = new QVBoxLayout(this);

    auto* choices = new QGroupBox(this);
    auto* choiceColumn = new QVBoxLayout(choices);
    c.RadioButton8 = new QRadioButton(QStringLiteral("Shut Down computer"), choices);
    c.RadioButton9 = new QRadioButton(QStringLiteral("Reboot computer"), choices);
    c.RadioButton10 = new QRadioButton(QStringLiteral("Restart runnin applications"), choices);
    c.RadioButton11 = new QRadioButton(QStringLiteral("Power off"), choices);
    c.RadioButton12 = new QRadioButton(QStringLiteral("Log off"), choices);
    for (QRadioButton* button : {c.RadioButton8, c.RadioButton9, c.RadioButton10, c.RadioButton11, c.RadioButton12})
        choiceColumn->addWidget(button);
    c.RadioButton8->setChecked(true);
    c.CheckBox20 = new QCheckBox(QStringLiteral("Forcibly do so if required"), choices);
    c.CheckBox20->setChecked(true);
    choiceColumn->addWidget(c.CheckBox20);
    column->addWidget(choices);

    c.Button28 = new QPushButton(QStringLiteral("Immediately perform the selected action"), this);
    column->addWidget(c.Button28);
    column->addWidget(createCountdownRow());
    c.Button29 = new QPushButton(kCountdownStartCaption, this);
    column->addWidget(c.Button29);
    column->addStretch();

    // The main window's bar is smooth and shows only while a countdown runs.
    c.ActCountoun->setTextVisible(false);
    c.ActCountoun->hide();
    c.Countdown->stop();
    c.Countdown->setInterval(1000);
    c.Countdown->setSingleShot(false);

    m_controller = std::make_unique<CountdownController>(c, actions, policy);

    connectGuarded(c.Button29, &QPushButton::clicked, this, m_policy, [this] { m_controller->Button29Click(); });
    connectGuarded(c.Button28, &QPushButton::clicked, this, m_policy, [this] { m_controller->Button28Click(); });
    connectGuarded(c.Countdown, &QTimer::timeout, this, m_policy, [this] { m_controller->CountdownTimer(); });
    connectGuarded(c.ActMins, &SpinEdit::changed, this, m_policy, [this] { m_controller->ActMinsChange(); });
}

AutoWindowsActionsTab::~AutoWindowsActionsTab() = default;

// Label18's caption leaves room for the two spin edits in its runs of blanks; they sit on top.
QWidget* AutoWindowsActionsTab::createCountdownRow() {
    auto& c = m_controls;
    auto* row = new QWidget(this);
    c.Label18 = new QLabel(kTimePrefix + kGap + QStringLiteral("hours") + kGap + QStringLiteral("minutes"), row);
    c.ActHours = new SpinEdit(row);
    c.ActHours->setRange(0, 48);
    c.ActHours->setValue(0);
    c.ActMins = new SpinEdit(row);
    c.ActMins->setRange(0, 61);
    c.ActMins->setValue(40);

    const QFontMetrics metrics(c.Label18->font());
    const int blank = metrics.horizontalAdvance(QLatin1Char(' '));
    const int gap = metrics.horizontalAdvance(kGap);
    const int hoursX = metrics.horizontalAdvance(kTimePrefix) + blank;
    const int minutesX = metrics.horizontalAdvance(kTimePrefix + kGap + QStringLiteral("hours")) + blank;
    const int editWidth = std::max(gap - 2 * blank, 40);
    const int height = std::max(c.Label18->sizeHint().height(), c.ActHours->sizeHint().height());

    c.Label18->setGeometry(0, (height - c.Label18->sizeHint().height()) / 2, c.Label18->sizeHint().width(),
                           c.Label18->sizeHint().height());
    c.ActHours->setGeometry(hoursX, 0, editWidth, height);
    c.ActMins->setGeometry(minutesX, 0, editWidth, height);
    c.ActHours->raise();
    c.ActMins->raise();
    row->setMinimumSize(std::max(c.Label18->sizeHint().width(), minutesX + editWidth), height);
    return row;
}
