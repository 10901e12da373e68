#include "lists/t_new_task.h"
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

void TNewTask::buildControls() {
    Label1 = new QLabel(QStringLiteral("New task found running"), this);
    Label1->setAlignment(Qt::AlignCenter);
    QFont heading = Label1->font();
    heading.setPointSize(14);
    heading.setBold(true);
    Label1->setFont(heading);
    QPalette headingPalette = Label1->palette();
    headingPalette.setColor(QPalette::WindowText, Qt::blue);
    Label1->setPalette(headingPalette);

    RichEdit1 = new QTextEdit(this);
    RichEdit1->setReadOnly(true);
    RichEdit1->setAcceptRichText(false);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    Label2 = new QLabel(QStringLiteral("Please choose what do you wish to do with it."), this);
    Button6 = new QPushButton(QStringLiteral("Mostly Performed by Me"), this);
    Button7 = new QPushButton(QStringLiteral("Mostly Performed by Cloud"), this);
    Button1 = new QPushButton(QStringLiteral("Kill Task"), this);
    Button3 = coloredButton(QStringLiteral("Add to Safe List"), Qt::darkGreen, this);
    Button2 = new QPushButton(QStringLiteral("Allow to Run"), this);
    Button4 = coloredButton(QStringLiteral("Add to Kill List"), Qt::red, this);

    CheckBox3 = new QCheckBox(QStringLiteral("Remember action (recommended)."), this);
    CheckBox3->setChecked(true);
    Button5 = new QPushButton(QStringLiteral("Ignore"), this);

    CheckBox1 = new QCheckBox(kRepeatCaption, this);
    SpinEdit1 = new SpinEdit(this);
    SpinEdit1->setRange(1, 960);
    SpinEdit1->setValue(10);

    CheckBox2 = new QCheckBox(QStringLiteral("Immediate recheck tasks after action (recommended)."), this);
    CheckBox2->setChecked(true);

    Timer1 = new QTimer(this);
    Timer1->setInterval(500);
    Timer2 = new QTimer(this);
    Timer2->setInterval(1000);
}

void TNewTask::layoutControls() {
    const int width = kClientWidth - 2 * kMargin;
    const int half = (width - kGap) / 2;
    const int right = kMargin + half + kGap;
    int y = kMargin;
    Label1->setGeometry(kMargin, y, width, 32);
    y += 32 + kGap / 2;
    RichEdit1->setGeometry(kMargin, y, width, 120);
    y += 120 + kGap / 2;
    Label2->setGeometry(kMargin, y, width, 20);
    y += 20 + kGap / 2;
    for (const auto& [left, rightButton] : {std::pair{Button6, Button7}, {Button1, Button3}, {Button2, Button4}}) {
        left->setGeometry(kMargin, y, half, kButtonHeight);
        rightButton->setGeometry(right, y, half, kButtonHeight);
        y += kButtonHeight + kGap / 2;
    }
    y += kGap / 2;
    const int ignoreWidth = 100;
    CheckBox3->setGeometry(kMargin, y, width - ignoreWidth - kGap, kCheckHeight);
    Button5->setGeometry(kClientWidth - kMargin - ignoreWidth, y - 2, ignoreWidth, kButtonHeight - 2);
    y += kButtonHeight;
    CheckBox1->setGeometry(kMargin, y, width, kCheckHeight);

    // The seconds box covers the run of blanks in the check box's caption.
    QStyleOptionButton option;
    option.initFrom(CheckBox1);
    const int indicator = CheckBox1->style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, CheckBox1) +
                          CheckBox1->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, CheckBox1);
    const QFontMetrics metrics(CheckBox1->font());
    const int gapStart = kMargin + indicator + metrics.horizontalAdvance(kRepeatCaptionStart);
    const int blanks = int(kRepeatCaption.indexOf(QStringLiteral("seconds.")) - kRepeatCaptionStart.size()) - 1;
    const int gapWidth = metrics.horizontalAdvance(QString(blanks, QLatin1Char(' ')));
    SpinEdit1->setGeometry(gapStart, y, std::max(gapWidth, 48), kCheckHeight);
    y += kCheckHeight + kGap / 2;
    CheckBox2->setGeometry(kMargin, y, width, kCheckHeight);
}
