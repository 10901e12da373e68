#include "memory/ram_tab.h"

#include "core/message_policy.h"
#include "memory/graph_image.h"
#include "memory/memory_graph_painter.h"
#include "memory/system_heap_allocator.h"
#include "widgets/form_builder.h"
#include "widgets/guarded_connect.h"
#include "widgets/option_binding.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

using form::named;
using form::row;
using form::spinEdit;

namespace {

QProgressBar* gauge(QWidget* parent, const char* name, const QColor& color) {
    auto* bar = named(new QProgressBar(parent), name);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(true);
    bar->setFormat(QStringLiteral("%p%"));
    bar->setToolTip(QString());
    setBarColor(bar, color);
    return bar;
}

// Keeps `option` at the choice of the checked radio, and at none while no radio is checked.
void bindChoice(QRadioButton* radio, QuickChoice choice, QuickChoice& option) {
    auto follow = [radio, choice, &option] {
        if (radio->isChecked())
            option = choice;
        else if (option == choice)
            option = QuickChoice::None;
    };
    follow();
    QObject::connect(radio, &QRadioButton::toggled, radio, follow);
}

} // namespace

RamTab::RamTab(platform::MemoryInfo& memory, MessagePolicy& policy, SharedValues& values, const MemoryMenuItems& menu,
               std::function<bool()> graphShown, HeapAllocator* heap, QWidget* parent)
    : QWidget(parent), m_policy(policy) {
    auto* left = new QVBoxLayout;
    left->addLayout(createStatusControls());
    left->addLayout(createOptimizeControls());
    m_controls.consumePanelButton =
        named(new QPushButton(QStringLiteral("Consuming options (does not work with optimize and free RAM)"), this),
              "consumePanelButton");
    left->addLayout(row({m_controls.consumePanelButton}));
    left->addWidget(createConsumePanel());
    left->addStretch(1);

    auto* right = new QVBoxLayout;
    m_controls.memoryGraphTitleLabel = new QLabel(QStringLiteral("Graph of current RAM usage"), this);
    m_controls.memoryGraphImage = named(new GraphImage(QSize(450, 377), this), "memoryGraphImage");
    right->addWidget(m_controls.memoryGraphTitleLabel);
    right->addWidget(m_controls.memoryGraphImage, 1);

    auto* page = new QHBoxLayout(this);
    page->addLayout(left, 0);
    page->addLayout(right, 1);

    if (!heap) {
        m_ownHeap = std::make_unique<SystemHeapAllocator>();
        heap = m_ownHeap.get();
    }
    m_memory = std::make_unique<MemoryController>(m_controls, memory, values, std::move(graphShown));
    m_consume = std::make_unique<ConsumeController>(m_controls, m_options, memory, values, policy,
                                                    menu.periodicOptimizeAction, *heap);
    connectHandlers();
    connectMenu(menu);

    m_minuteTimer = named(new QTimer(this), "minuteTimer");
    m_minuteTimer->setInterval(60000);
    connectGuardedTimer(m_minuteTimer, this, m_policy, [this] { m_consume->onMinuteTick(); });
    m_minuteTimer->start();
}

RamTab::~RamTab() = default;

QLayout* RamTab::createStatusControls() {
    auto& c = m_controls;
    const QColor hotLight = hotLightColor();
    c.usedPhysicalLabel = named(new QLabel(QStringLiteral("Used Physical Memory"), this), "usedPhysicalLabel");
    c.usedPhysicalGauge = gauge(this, "usedPhysicalGauge", hotLight);
    c.freePhysicalLabel = named(new QLabel(QStringLiteral("Free Physical Memory"), this), "freePhysicalLabel");
    c.freePhysicalGauge = gauge(this, "freePhysicalGauge", hotLight);
    c.usedPagingLabel = named(new QLabel(QStringLiteral("Used Paging File"), this), "usedPagingLabel");
    c.usedPagingGauge = gauge(this, "usedPagingGauge", hotLight);
    c.usedVirtualLabel = named(new QLabel(QStringLiteral("Used Virtual Memory"), this), "usedVirtualLabel");
    c.usedVirtualGauge = gauge(this, "usedVirtualGauge", QColor(0, 0, 255));
    auto* column = new QVBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(c.usedPhysicalLabel), static_cast<QWidget*>(c.usedPhysicalGauge),
                       static_cast<QWidget*>(c.freePhysicalLabel), static_cast<QWidget*>(c.freePhysicalGauge),
                       static_cast<QWidget*>(c.usedPagingLabel), static_cast<QWidget*>(c.usedPagingGauge),
                       static_cast<QWidget*>(c.usedVirtualLabel), static_cast<QWidget*>(c.usedVirtualGauge)})
        column->addWidget(w);
    return column;
}

QLayout* RamTab::createOptimizeControls() {
    auto& c = m_controls;
    c.optimizeAndFreeButton =
        named(new QPushButton(QStringLiteral("Optimize and free RAM"), this), "optimizeAndFreeButton");
    c.periodicOptimizeCheck =
        named(new QCheckBox(QStringLiteral("Optimize and free every"), this), "periodicOptimizeCheck");
    bind::checked(c.periodicOptimizeCheck, m_options.periodicOptimize);
    c.optimizeIntervalSpin = spinEdit(this, "optimizeIntervalSpin", 1, 840, 1);
    bind::text(c.optimizeIntervalSpin, m_options.optimizeInterval);
    c.optimizeMinutesLabel = new QLabel(QStringLiteral("minutes"), this);
    c.consumedGauge = named(new QProgressBar(this), "consumedGauge");
    c.consumedGauge->setRange(0, 100);
    c.consumedGauge->setValue(0);
    c.consumedGauge->hide();
    auto* column = new QVBoxLayout;
    column->addLayout(row({c.optimizeAndFreeButton}));
    column->addLayout(row({c.periodicOptimizeCheck, c.optimizeIntervalSpin, c.optimizeMinutesLabel}));
    column->addWidget(c.consumedGauge);
    return column;
}

QWidget* RamTab::createConsumePanel() {
    auto& c = m_controls;
    auto* panel = named(new QFrame(this), "consumePanel");
    panel->setFrameShape(QFrame::StyledPanel);
    c.consumePanel = panel;

    c.consumeBytesLabel = new QLabel(QStringLiteral("Consume Memory Bytes"), panel);
    c.consumeFirstFactorSpin = spinEdit(panel, "consumeFirstFactorSpin", 0, 4096, 1024);
    c.consumeSecondFactorSpin = spinEdit(panel, "consumeSecondFactorSpin", 0, 4096, 1024);
    c.consumeThirdFactorSpin = spinEdit(panel, "consumeThirdFactorSpin", 0, 65521, 1);
    bind::text(c.consumeFirstFactorSpin, m_options.consumeFirstFactor);
    bind::text(c.consumeSecondFactorSpin, m_options.consumeSecondFactor);
    bind::text(c.consumeThirdFactorSpin, m_options.consumeThirdFactor);
    c.consumeButton = named(new QPushButton(QStringLiteral("GO"), panel), "consumeButton");

    c.periodicRewriteCheck = named(new QCheckBox(QStringLiteral("Rewrite every"), panel), "periodicRewriteCheck");
    c.periodicRewriteCheck->setChecked(true);
    bind::checked(c.periodicRewriteCheck, m_options.periodicRewrite);
    c.rewriteIntervalSpin = spinEdit(panel, "rewriteIntervalSpin", 1, 840, 1);
    bind::text(c.rewriteIntervalSpin, m_options.rewriteInterval);
    c.rewriteMinutesLabel = new QLabel(QStringLiteral("minutes"), panel);
    c.rewriteNowButton = named(new QPushButton(QStringLiteral("Rewrite Now"), panel), "rewriteNowButton");

    c.quickConsumeButton =
        named(new QPushButton(QStringLiteral("Free all Consumed and Quick Consume:"), panel), "quickConsumeButton");
    c.oneThirdRemainsFreeRadio =
        named(new QRadioButton(QStringLiteral("so as one third to remain free"), panel), "oneThirdRemainsFreeRadio");
    c.halfRemainsFreeRadio =
        named(new QRadioButton(QStringLiteral("so as half to remain free"), panel), "halfRemainsFreeRadio");
    c.thirdOfFreeRadio =
        named(new QRadioButton(QStringLiteral("one third of current free"), panel), "thirdOfFreeRadio");
    c.halfOfFreeRadio = named(new QRadioButton(QStringLiteral("half of current free"), panel), "halfOfFreeRadio");
    c.extraMegabytesRadio = named(new QRadioButton(QStringLiteral("Extra Mega Bytes:"), panel), "extraMegabytesRadio");
    c.extraMegabytesRadio->setChecked(true);
    const std::pair<QRadioButton*, QuickChoice> choices[] = {
        {c.oneThirdRemainsFreeRadio, QuickChoice::OneThirdRemainsFree},
        {c.halfRemainsFreeRadio, QuickChoice::HalfRemainsFree},
        {c.thirdOfFreeRadio, QuickChoice::ThirdOfFree},
        {c.halfOfFreeRadio, QuickChoice::HalfOfFree},
        {c.extraMegabytesRadio, QuickChoice::ExtraMegaBytes},
    };
    for (const auto& [radio, choice] : choices)
        bindChoice(radio, choice, m_options.quickChoice);
    c.extraMegabytesSpin = spinEdit(panel, "extraMegabytesSpin", -65521, 65521, 0);
    bind::text(c.extraMegabytesSpin, m_options.extraMegabytes);

    c.safetyCapLabel = new QLabel(QStringLiteral("Safety Cap RAM Mega Bytes:"), panel);
    c.safetyCapSpin = spinEdit(panel, "safetyCapSpin", 1, 4096, 10);
    bind::text(c.safetyCapSpin, m_options.safetyCap);

    auto* column = new QVBoxLayout(panel);
    column->addWidget(c.consumeBytesLabel);
    column->addLayout(row({c.consumeFirstFactorSpin, new QLabel(QStringLiteral("X"), panel), c.consumeSecondFactorSpin,
                           new QLabel(QStringLiteral("X"), panel), c.consumeThirdFactorSpin, c.consumeButton}));
    column->addLayout(row({c.periodicRewriteCheck, c.rewriteIntervalSpin, c.rewriteMinutesLabel, c.rewriteNowButton}));
    column->addLayout(row({c.quickConsumeButton}));
    for (QRadioButton* choice :
         {c.oneThirdRemainsFreeRadio, c.halfRemainsFreeRadio, c.thirdOfFreeRadio, c.halfOfFreeRadio})
        column->addWidget(choice);
    column->addLayout(row({c.extraMegabytesRadio, c.extraMegabytesSpin}));
    column->addLayout(row({c.safetyCapLabel, c.safetyCapSpin}));

    for (QWidget* w : {static_cast<QWidget*>(c.periodicRewriteCheck), static_cast<QWidget*>(c.rewriteIntervalSpin),
                       static_cast<QWidget*>(c.rewriteMinutesLabel), static_cast<QWidget*>(c.rewriteNowButton)})
        w->hide();
    panel->hide();
    return panel;
}

void RamTab::connectHandlers() {
    const auto& c = m_controls;
    connectGuarded(c.optimizeAndFreeButton, &QPushButton::clicked, this, m_policy,
                   [this] { m_consume->onOptimizeAndFreeClicked(); });
    connectGuarded(c.consumeButton, &QPushButton::clicked, this, m_policy, [this] { m_consume->onConsumeClicked(); });
    connectGuarded(c.rewriteNowButton, &QPushButton::clicked, this, m_policy,
                   [this] { m_consume->onRewriteNowClicked(); });
    connectGuarded(c.quickConsumeButton, &QPushButton::clicked, this, m_policy,
                   [this] { m_consume->onQuickConsumeClicked(); });
    connectGuarded(c.periodicOptimizeCheck, &QCheckBox::toggled, this, m_policy,
                   [this] { m_consume->onPeriodicOptimizeToggled(); });
    connectGuarded(c.optimizeIntervalSpin, &SpinEdit::changed, this, m_policy,
                   [this] { m_consume->onOptimizeIntervalChanged(); });
    connectGuarded(c.extraMegabytesSpin, &SpinEdit::changed, this, m_policy,
                   [this] { m_consume->onExtraMegabytesChanged(); });
}

void RamTab::connectMenu(const MemoryMenuItems& menu) {
    ConsumeController* consume = m_consume.get();
    const std::pair<QAction*, void (ConsumeController::*)()> reactions[] = {
        {menu.optimizeNowAction, &ConsumeController::onOptimizeNowTriggered},
        {menu.periodicOptimizeAction, &ConsumeController::onPeriodicOptimizeTriggered},
        {menu.freeConsumedAction, &ConsumeController::onFreeConsumedTriggered},
        {menu.consumeToTwoThirdsAction, &ConsumeController::onConsumeToTwoThirdsTriggered},
        {menu.consumeToHalfAction, &ConsumeController::onConsumeToHalfTriggered},
        {menu.consumeHalfOfFreeAction, &ConsumeController::onConsumeHalfOfFreeTriggered},
        {menu.consumeThirdOfFreeAction, &ConsumeController::onConsumeThirdOfFreeTriggered},
    };
    for (const auto& [item, reaction] : reactions)
        if (item)
            connectGuardedMenuItem(item, this, m_policy, [consume, reaction] { (consume->*reaction)(); });
}
