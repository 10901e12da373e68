#include "internet/internet_tab.h"

#include "core/message_policy.h"
#include "widgets/guarded_connect.h"
#include "widgets/option_binding.h"
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

InternetTab::InternetTab(platform::Network& network, MessagePolicy& policy, QAction* silentModeAction, QWidget* parent)
    : QWidget(parent), m_policy(policy) {
    auto& c = m_controls;
    c.silentModeAction = silentModeAction;

    c.internetTitleLabel = named(new QLabel(QStringLiteral("Internet Conncetion"), this), "InternetTitle");
    c.connectionStateText = named(new QPlainTextEdit(this), "connectionStateText");
    // Rewritten by the connection check: typing into it would be lost at once.
    c.connectionStateText->setReadOnly(true);
    c.getAddressButton = named(new QPushButton(QStringLiteral("Get IP from"), this), "getAddressButton");
    c.addressPageEdit = named(new QLineEdit(kDefaultAddressPage, this), "addressPageEdit");
    bind::text(c.addressPageEdit, m_options.addressPage);
    c.publicAddressEdit = named(new QLineEdit(QStringLiteral("Did not get IP"), this), "publicAddressEdit");
    c.publicAddressEdit->setReadOnly(true);

    auto* column = new QVBoxLayout(this);
    column->addWidget(c.internetTitleLabel);
    column->addWidget(c.connectionStateText, 1);
    auto* pageRow = new QHBoxLayout;
    pageRow->addWidget(c.getAddressButton);
    pageRow->addWidget(c.addressPageEdit, 1);
    column->addLayout(pageRow);
    column->addWidget(c.publicAddressEdit);
    column->addWidget(createPeriodicRow());
    c.lookupOnlyConnectedCheck =
        named(new QCheckBox(QStringLiteral("Perform this only if connected to the internet"), this),
              "lookupOnlyConnectedCheck");
    bind::checked(c.lookupOnlyConnectedCheck, m_options.lookupOnlyWhenConnected);
    column->addWidget(c.lookupOnlyConnectedCheck);
    column->addStretch();

    m_addressLookupTimer = named(new QTimer(this), "addressLookupTimer");
    m_addressLookupTimer->setInterval(1000);

    m_controller = std::make_unique<InternetController>(c, m_options, *m_addressLookupTimer, network, policy);

    connectGuarded(c.getAddressButton, &QPushButton::clicked, this, m_policy,
                   [this] { m_controller->onGetAddressClicked(); });
    connectGuardedTimer(m_addressLookupTimer, this, m_policy, [this] { m_controller->onAddressLookupTick(); });
    connectGuarded(c.periodicLookupCheck, &QCheckBox::toggled, this, m_policy,
                   [this] { m_controller->onPeriodicLookupToggled(); });
    connectGuarded(c.lookupIntervalSpin, &SpinEdit::changed, this, m_policy,
                   [this] { m_controller->onLookupIntervalChanged(); });
}

InternetTab::~InternetTab() = default;

// The check box's caption leaves a run of blanks for the interval field, which sits on top of it.
QWidget* InternetTab::createPeriodicRow() {
    auto& c = m_controls;
    auto* row = new QWidget(this);
    c.periodicLookupCheck =
        named(new QCheckBox(kEveryPrefix + kEveryGap + QStringLiteral("mili seconds"), row), "periodicLookupCheck");
    bind::checked(c.periodicLookupCheck, m_options.periodicLookup);
    c.lookupIntervalSpin = named(new SpinEdit(row), "lookupIntervalSpin");
    c.lookupIntervalSpin->setRange(100, 60000);
    c.lookupIntervalSpin->setStep(100);
    c.lookupIntervalSpin->setValue(1000);
    bind::text(c.lookupIntervalSpin, m_options.lookupInterval);
    c.lookupIntervalSpin->setEnabled(false);

    const QFontMetrics metrics(c.periodicLookupCheck->font());
    const int blank = metrics.horizontalAdvance(QLatin1Char(' '));
    const QStyle* style = c.periodicLookupCheck->style();
    const int textX = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, c.periodicLookupCheck) +
                      style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, c.periodicLookupCheck);
    const int editX = textX + metrics.horizontalAdvance(kEveryPrefix) + blank;
    const int editWidth = std::max(metrics.horizontalAdvance(kEveryGap) - 2 * blank, 56);
    const QSize box = c.periodicLookupCheck->sizeHint();
    const int height = std::max(box.height(), c.lookupIntervalSpin->sizeHint().height());
    c.periodicLookupCheck->setGeometry(0, (height - box.height()) / 2, box.width(), box.height());
    c.lookupIntervalSpin->setGeometry(editX, 0, editWidth, height);
    c.lookupIntervalSpin->raise();
    row->setMinimumSize(std::max(box.width(), editX + editWidth), height);
    return row;
}
