#include "schedule/auto_windows_actions_tab.h"

#include "core/message_policy.h"
#include "widgets/guarded_connect.h"
#include "widgets/option_binding.h"
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

AutoWindowsActionsTab::AutoWindowsActionsTab(platform::SystemActions& actions, MessagePolicy& policy,
                                             QProgressBar* countdownProgressBar, QWidget* parent)
    : QWidget(parent), m_policy(policy) {
    auto& c = m_controls;
    c.countdownProgressBar = countdownProgressBar;
    c.countdownTimer = new QTimer(this);
    c.countdownTimer->setObjectName(QStringLiteral("Countdown"));
    c.countdownTimer->setInterval(1000);

    auto* column = new QVBoxLayout(this);

    auto* choices = new QGroupBox(this);
    auto* choiceColumn = new QVBoxLayout(choices);
    c.shutDownRadio = new QRadioButton(QStringLiteral("Shut Down computer"), choices);
    c.rebootRadio = new QRadioButton(QStringLiteral("Reboot computer"), choices);
    c.restartApplicationsRadio = new QRadioButton(QStringLiteral("Restart runnin applications"), choices);
    c.powerOffRadio = new QRadioButton(QStringLiteral("Power off"), choices);
    c.logOffRadio = new QRadioButton(QStringLiteral("Log off"), choices);
    for (QRadioButton* button :
         {c.shutDownRadio, c.rebootRadio, c.restartApplicationsRadio, c.powerOffRadio, c.logOffRadio})
        choiceColumn->addWidget(button);
    c.shutDownRadio->setChecked(true);
    bind::checked(c.shutDownRadio, m_options.shutDown);
    bind::checked(c.rebootRadio, m_options.reboot);
    bind::checked(c.restartApplicationsRadio, m_options.restartApplications);
    bind::checked(c.powerOffRadio, m_options.powerOff);
    bind::checked(c.logOffRadio, m_options.logOff);
    c.forceActionCheck = new QCheckBox(QStringLiteral("Forcibly do so if required"), choices);
    c.forceActionCheck->setChecked(true);
    bind::checked(c.forceActionCheck, m_options.force);
    choiceColumn->addWidget(c.forceActionCheck);
    column->addWidget(choices);

    c.performNowButton = new QPushButton(QStringLiteral("Immediately perform the selected action"), this);
    column->addWidget(c.performNowButton);
    column->addWidget(createCountdownRow());
    c.countdownButton = new QPushButton(kCountdownStartCaption, this);
    column->addWidget(c.countdownButton);
    column->addStretch();

    // The main window's bar is smooth and shows only while a countdown runs.
    c.countdownProgressBar->setTextVisible(false);
    c.countdownProgressBar->hide();

    m_controller = std::make_unique<CountdownController>(c, m_options, actions, policy);

    connectGuarded(c.countdownButton, &QPushButton::clicked, this, m_policy,
                   [this] { m_controller->onCountdownClicked(); });
    connectGuarded(c.performNowButton, &QPushButton::clicked, this, m_policy,
                   [this] { m_controller->onPerformNowClicked(); });
    connectGuardedTimer(c.countdownTimer, this, m_policy, [this] { m_controller->onCountdownTick(); });
    connectGuarded(c.countdownMinutesSpin, &SpinEdit::changed, this, m_policy,
                   [this] { m_controller->onCountdownMinutesChanged(); });
}

AutoWindowsActionsTab::~AutoWindowsActionsTab() = default;

// countdownTimeLabel's caption leaves room for the two spin edits in its runs of blanks; they sit on top.
QWidget* AutoWindowsActionsTab::createCountdownRow() {
    auto& c = m_controls;
    auto* row = new QWidget(this);
    c.countdownTimeLabel =
        new QLabel(kTimePrefix + kGap + QStringLiteral("hours") + kGap + QStringLiteral("minutes"), row);
    c.countdownHoursSpin = new SpinEdit(row);
    c.countdownHoursSpin->setRange(0, 48);
    c.countdownHoursSpin->setValue(0);
    bind::text(c.countdownHoursSpin, m_options.hours);
    c.countdownMinutesSpin = new SpinEdit(row);
    c.countdownMinutesSpin->setRange(0, 61);
    c.countdownMinutesSpin->setValue(40);
    bind::text(c.countdownMinutesSpin, m_options.minutes);

    const QFontMetrics metrics(c.countdownTimeLabel->font());
    const int blank = metrics.horizontalAdvance(QLatin1Char(' '));
    const int gap = metrics.horizontalAdvance(kGap);
    const int hoursX = metrics.horizontalAdvance(kTimePrefix) + blank;
    const int minutesX = metrics.horizontalAdvance(kTimePrefix + kGap + QStringLiteral("hours")) + blank;
    const int editWidth = std::max(gap - 2 * blank, 40);
    const int height = std::max(c.countdownTimeLabel->sizeHint().height(), c.countdownHoursSpin->sizeHint().height());

    c.countdownTimeLabel->setGeometry(0, (height - c.countdownTimeLabel->sizeHint().height()) / 2,
                                      c.countdownTimeLabel->sizeHint().width(),
                                      c.countdownTimeLabel->sizeHint().height());
    c.countdownHoursSpin->setGeometry(hoursX, 0, editWidth, height);
    c.countdownMinutesSpin->setGeometry(minutesX, 0, editWidth, height);
    c.countdownHoursSpin->raise();
    c.countdownMinutesSpin->raise();
    row->setMinimumSize(std::max(c.countdownTimeLabel->sizeHint().width(), minutesX + editWidth), height);
    return row;
}
