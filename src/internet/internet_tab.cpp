#include "internet/internet_tab.h"

#include "core/message_policy.h"
#include "widgets/guarded_connect.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString kEveryPrefix = QStringLiteral("Get IP every");
const QString kEveryGap = QString(21, QLatin1Char(' '));

template <typename Widget> Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

InternetTab::InternetTab(platform::Network& network, MessagePolicy& policy, QTimer* timer5, QAction* silentMode1,
                         QWidget* parent)
    : QWidget(parent), m_policy(policy) {
    auto& c = m_controls;
    c.Timer5 = timer5;
    c.SilentMode1 = silentMode1;

    c.InternetTitle = named(new QLabel(QStringLiteral("Internet Conncetion"), this), "InternetTitle");
    c.Memo1 = named(new QPlainTextEdit(this), "Memo1");
    // Rewritten by the connection check: typing into it would be lost at once.
    c.Memo1->setReadOnly(true);
    c.Button16 = named(new QPushButton(QStringLiteral("Get IP from"), this), "Button16");
    c.Edit4 = named(new QLineEdit(kDefaultAddressPage, this), "Edit4");
    c.Edit5 = named(new QLineEdit(QStringLiteral("Did not get IP"), this), "Edit5");
    c.Edit5->setReadOnly(true);

    auto* column = new QVBoxLayout(this);
    column->addWidget(c.InternetTitle);
    column->addWidget(c.Memo1, 1);
    auto* pageRow = new QHBoxLayout;
    pageRow->addWidget(c.Button16);
    pageRow->addWidget(c.Edit4, 1);
    column->addLayout(pageRow);
    column->addWidget(c.Edit5);
    column->addWidget(createPeriodicRow());
    c.CheckBox14 =
        named(new QCheckBox(QStringLiteral("Perform this only if connected to the internet"), this), "CheckBox14");
    column->addWidget(c.CheckBox14);
    column->addStretch();

    c.Timer5->stop();
    c.Timer5->setSingleShot(false);
    c.Timer5->setInterval(1000);

    m_controller = std::make_unique<InternetController>(c, network, policy);

    connectGuarded(c.Button16, &QPushButton::clicked, this, m_policy, [this] { m_controller->Button16Click(); });
    connectGuarded(c.Timer5, &QTimer::timeout, this, m_policy, [this] { m_controller->Timer5Timer(); });
    connectGuarded(c.CheckBox13, &QCheckBox::toggled, this, m_policy, [this] { m_controller->CheckBox13Click(); });
    connectGuarded(c.SpinEdit12, &SpinEdit::changed, this, m_policy, [this] { m_controller->SpinEdit12Change(); });
}

InternetTab::~InternetTab() = default;

// The check box's caption leaves a run of blanks for the interval field, which sits on top of it.
QWidget* InternetTab::createPeriodicRow() {
    auto& c = m_controls;
    auto* row = new QWidget(this);
    c.CheckBox13 = named(new QCheckBox(kEveryPrefix + kEveryGap + QStringLiteral("mili seconds"), row), "CheckBox13");
    c.SpinEdit12 = named(new SpinEdit(row), "SpinEdit12");
    c.SpinEdit12->setRange(100, 60000);
    c.SpinEdit12->setStep(100);
    c.SpinEdit12->setValue(1000);
    c.SpinEdit12->setEnabled(false);

    const QFontMetrics metrics(c.CheckBox13->font());
    const int blank = metrics.horizontalAdvance(QLatin1Char(' '));
    const QStyle* style = c.CheckBox13->style();
    const int textX = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, c.CheckBox13) +
                      style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, c.CheckBox13);
    const int editX = textX + metrics.horizontalAdvance(kEveryPrefix) + blank;
    const int editWidth = std::max(metrics.horizontalAdvance(kEveryGap) - 2 * blank, 56);
    const QSize box = c.CheckBox13->sizeHint();
    const int height = std::max(box.height(), c.SpinEdit12->sizeHint().height());
    c.CheckBox13->setGeometry(0, (height - box.height()) / 2, box.width(), box.height());
    c.SpinEdit12->setGeometry(editX, 0, editWidth, height);
    c.SpinEdit12->raise();
    row->setMinimumSize(std::max(box.width(), editX + editWidth), height);
    return row;
}
