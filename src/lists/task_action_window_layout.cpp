#include "lists/task_action_window.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextEdit>
#include <QTimer>

namespace {

constexpr int kMargin = 8;
constexpr int kGap = 8;
constexpr int kButtonHeight = 28;
constexpr int kCheckHeight = 22;

// The repeat box's caption leaves a gap after this text for the seconds box laid over it.
const QString kRepeatCaptionStart = QStringLiteral("Perform this for all tasks in the next ");
const QString kRepeatCaption = QStringLiteral("Perform this for all tasks in the next              seconds.");

QPushButton* coloredButton(const QString& caption, const QColor& color, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, color);
    button->setPalette(palette);
    return button;
}

} // namespace

void TaskActionWindow::buildControls() {
    headingLabel = new QLabel(QStringLiteral("New task found running"), this);
    headingLabel->setAlignment(Qt::AlignCenter);
    QFont heading = headingLabel->font();
    heading.setPointSize(14);
    heading.setBold(true);
    headingLabel->setFont(heading);
    QPalette headingPalette = headingLabel->palette();
    headingPalette.setColor(QPalette::WindowText, Qt::blue);
    headingLabel->setPalette(headingPalette);

    detailsText = new QTextEdit(this);
    detailsText->setReadOnly(true);
    detailsText->setAcceptRichText(false);
    detailsText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    questionLabel = new QLabel(QStringLiteral("Please choose what do you wish to do with it."), this);
    performedByMeButton = new QPushButton(QStringLiteral("Mostly Performed by Me"), this);
    performedByCloudButton = new QPushButton(QStringLiteral("Mostly Performed by Cloud"), this);
    killTaskButton = new QPushButton(QStringLiteral("Kill Task"), this);
    addToSafeListButton = coloredButton(QStringLiteral("Add to Safe List"), Qt::darkGreen, this);
    allowButton = new QPushButton(QStringLiteral("Allow to Run"), this);
    addToKillListButton = coloredButton(QStringLiteral("Add to Kill List"), Qt::red, this);

    rememberCheck = new QCheckBox(QStringLiteral("Remember action (recommended)."), this);
    rememberCheck->setChecked(true);
    ignoreButton = new QPushButton(QStringLiteral("Ignore"), this);

    repeatCheck = new QCheckBox(kRepeatCaption, this);
    repeatSecondsSpin = new SpinEdit(this);
    repeatSecondsSpin->setRange(1, 960);
    repeatSecondsSpin->setValue(10);

    recheckCheck = new QCheckBox(QStringLiteral("Immediate recheck tasks after action (recommended)."), this);
    recheckCheck->setChecked(true);

    repeatTimer = new QTimer(this);
    repeatTimer->setInterval(500);
    repeatClockTimer = new QTimer(this);
    repeatClockTimer->setInterval(1000);
}

void TaskActionWindow::layoutControls() {
    const int width = kClientWidth - 2 * kMargin;
    const int half = (width - kGap) / 2;
    const int right = kMargin + half + kGap;
    int y = kMargin;
    headingLabel->setGeometry(kMargin, y, width, 32);
    y += 32 + kGap / 2;
    detailsText->setGeometry(kMargin, y, width, 120);
    y += 120 + kGap / 2;
    questionLabel->setGeometry(kMargin, y, width, 20);
    y += 20 + kGap / 2;
    for (const auto& [left, rightButton] : {std::pair{performedByMeButton, performedByCloudButton},
                                            {killTaskButton, addToSafeListButton},
                                            {allowButton, addToKillListButton}}) {
        left->setGeometry(kMargin, y, half, kButtonHeight);
        rightButton->setGeometry(right, y, half, kButtonHeight);
        y += kButtonHeight + kGap / 2;
    }
    y += kGap / 2;
    const int ignoreWidth = 100;
    rememberCheck->setGeometry(kMargin, y, width - ignoreWidth - kGap, kCheckHeight);
    ignoreButton->setGeometry(kClientWidth - kMargin - ignoreWidth, y - 2, ignoreWidth, kButtonHeight - 2);
    y += kButtonHeight;
    repeatCheck->setGeometry(kMargin, y, width, kCheckHeight);

    // The seconds box covers the run of blanks in the check box's caption.
    QStyleOptionButton option;
    option.initFrom(repeatCheck);
    const int indicator = repeatCheck->style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, repeatCheck) +
                          repeatCheck->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, repeatCheck);
    const QFontMetrics metrics(repeatCheck->font());
    const int gapStart = kMargin + indicator + metrics.horizontalAdvance(kRepeatCaptionStart);
    const int blanks = int(kRepeatCaption.indexOf(QStringLiteral("seconds.")) - kRepeatCaptionStart.size()) - 1;
    const int gapWidth = metrics.horizontalAdvance(QString(blanks, QLatin1Char(' ')));
    repeatSecondsSpin->setGeometry(gapStart, y, std::max(gapWidth, 48), kCheckHeight);
    y += kCheckHeight + kGap / 2;
    recheckCheck->setGeometry(kMargin, y, width, kCheckHeight);
}
