#include "memory/ram_tab.h"

#include "core/message_policy.h"
#include "memory/graph_image.h"
#include "memory/memory_graph_painter.h"
#include "memory/system_heap_allocator.h"
#include "widgets/form_builder.h"
#include "widgets/guarded_connect.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

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

} // namespace

RamTab::RamTab(platform::MemoryInfo& memory, MessagePolicy& policy, SharedValues& values, QAction* OptimizeFreeEvery1,
               std::function<bool()> graphShown, HeapAllocator* heap, QWidget* parent)
    : QWidget(parent), m_policy(policy) {
    auto* left = new QVBoxLayout;
    left->addLayout(createStatusControls());
    left->addLayout(createOptimizeControls());
    m_controls.BitBtn1 =
        named(new QPushButton(QStringLiteral("Consuming options (does not work with optimize and free RAM)"), this),
              "BitBtn1");
    left->addLayout(row({m_controls.BitBtn1}));
    left->addWidget(createConsumePanel());
    left->addStretch(1);

    auto* right = new QVBoxLayout;
    m_controls.GraphTitle = new QLabel(QStringLiteral("Graph of current RAM usage"), this);
    m_controls.Graph1 = named(new GraphImage(QSize(450, 377), this), "Graph1");
    right->addWidget(m_controls.GraphTitle);
    right->addWidget(m_controls.Graph1, 1);

    auto* page = new QHBoxLayout(this);
    page->addLayout(left, 0);
    page->addLayout(right, 1);

    if (!heap) {
        m_ownHeap = std::make_unique<SystemHeapAllocator>();
        heap = m_ownHeap.get();
    }
    m_memory = std::make_unique<MemoryController>(m_controls, memory, values, std::move(graphShown));
    m_consume = std::make_unique<ConsumeController>(m_controls, memory, values, policy, OptimizeFreeEvery1, *heap);
    connectHandlers();
}

RamTab::~RamTab() = default;

QLayout* RamTab::createStatusControls() {
    auto& c = m_controls;
    const QColor hotLight = hotLightColor();
    c.Label4 = named(new QLabel(QStringLiteral("Used Physical Memory"), this), "Label4");
    c.Ram_Usage = gauge(this, "Ram_Usage", hotLight);
    c.Label5 = named(new QLabel(QStringLiteral("Free Physical Memory"), this), "Label5");
    c.Free_Mem = gauge(this, "Free_Mem", hotLight);
    c.Label6 = named(new QLabel(QStringLiteral("Used Paging File"), this), "Label6");
    c.Page_File = gauge(this, "Page_File", hotLight);
    c.Label7 = named(new QLabel(QStringLiteral("Used Virtual Memory"), this), "Label7");
    c.VR_Usage = gauge(this, "VR_Usage", QColor(0, 0, 255));
    auto* column = new QVBoxLayout;
    for (QWidget* w :
         {static_cast<QWidget*>(c.Label4), static_cast<QWidget*>(c.Ram_Usage), static_cast<QWidget*>(c.Label5),
          static_cast<QWidget*>(c.Free_Mem), static_cast<QWidget*>(c.Label6), static_cast<QWidget*>(c.Page_File),
          static_cast<QWidget*>(c.Label7), static_cast<QWidget*>(c.VR_Usage)})
        column->addWidget(w);
    return column;
}

QLayout* RamTab::createOptimizeControls() {
    auto& c = m_controls;
    c.Button27 = named(new QPushButton(QStringLiteral("Optimize and free RAM"), this), "Button27");
    c.CheckBox12 = named(new QCheckBox(QStringLiteral("Optimize and free every"), this), "CheckBox12");
    c.SpinEdit11 = spinEdit(this, "SpinEdit11", 1, 840, 1);
    c.OptimizeMinutesLabel = new QLabel(QStringLiteral("minutes"), this);
    c.Gauge1 = named(new QProgressBar(this), "Gauge1");
    c.Gauge1->setRange(0, 100);
    c.Gauge1->setValue(0);
    c.Gauge1->hide();
    auto* column = new QVBoxLayout;
    column->addLayout(row({c.Button27}));
    column->addLayout(row({c.CheckBox12, c.SpinEdit11, c.OptimizeMinutesLabel}));
    column->addWidget(c.Gauge1);
    return column;
}

QWidget* RamTab::createConsumePanel() {
    auto& c = m_controls;
    auto* panel = named(new QFrame(this), "ScrollBox2");
    panel->setFrameShape(QFrame::StyledPanel);
    c.ScrollBox2 = panel;

    c.ConsumeBytesTitle = new QLabel(QStringLiteral("Consume Memory Bytes"), panel);
    c.SpinEdit1 = spinEdit(panel, "SpinEdit1", 0, 4096, 1024);
    c.SpinEdit2 = spinEdit(panel, "SpinEdit2", 0, 4096, 1024);
    c.SpinEdit3 = spinEdit(panel, "SpinEdit3", 0, 65521, 1);
    c.Button17 = named(new QPushButton(QStringLiteral("GO"), panel), "Button17");

    c.CheckBox3 = named(new QCheckBox(QStringLiteral("Rewrite every"), panel), "CheckBox3");
    c.CheckBox3->setChecked(true);
    c.SpinEdit4 = spinEdit(panel, "SpinEdit4", 1, 840, 1);
    c.RewriteMinutesLabel = new QLabel(QStringLiteral("minutes"), panel);
    c.Button18 = named(new QPushButton(QStringLiteral("Rewrite Now"), panel), "Button18");

    c.Button19 = named(new QPushButton(QStringLiteral("Free all Consumed and Quick Consume:"), panel), "Button19");
    c.RadioButton1 = named(new QRadioButton(QStringLiteral("so as one third to remain free"), panel), "RadioButton1");
    c.RadioButton2 = named(new QRadioButton(QStringLiteral("so as half to remain free"), panel), "RadioButton2");
    c.RadioButton3 = named(new QRadioButton(QStringLiteral("one third of current free"), panel), "RadioButton3");
    c.RadioButton4 = named(new QRadioButton(QStringLiteral("half of current free"), panel), "RadioButton4");
    c.RadioButton5 = named(new QRadioButton(QStringLiteral("Extra Mega Bytes:"), panel), "RadioButton5");
    c.RadioButton5->setChecked(true);
    c.SpinEdit5 = spinEdit(panel, "SpinEdit5", -65521, 65521, 0);

    c.SafetyCapLabel = new QLabel(QStringLiteral("Safety Cap RAM Mega Bytes:"), panel);
    c.SpinEdit6 = spinEdit(panel, "SpinEdit6", 1, 4096, 10);

    auto* column = new QVBoxLayout(panel);
    column->addWidget(c.ConsumeBytesTitle);
    column->addLayout(row({c.SpinEdit1, new QLabel(QStringLiteral("X"), panel), c.SpinEdit2,
                           new QLabel(QStringLiteral("X"), panel), c.SpinEdit3, c.Button17}));
    column->addLayout(row({c.CheckBox3, c.SpinEdit4, c.RewriteMinutesLabel, c.Button18}));
    column->addLayout(row({c.Button19}));
    for (QRadioButton* choice : {c.RadioButton1, c.RadioButton2, c.RadioButton3, c.RadioButton4})
        column->addWidget(choice);
    column->addLayout(row({c.RadioButton5, c.SpinEdit5}));
    column->addLayout(row({c.SafetyCapLabel, c.SpinEdit6}));

    for (QWidget* w : {static_cast<QWidget*>(c.CheckBox3), static_cast<QWidget*>(c.SpinEdit4),
                       static_cast<QWidget*>(c.RewriteMinutesLabel), static_cast<QWidget*>(c.Button18)})
        w->hide();
    panel->hide();
    return panel;
}

void RamTab::connectHandlers() {
    const auto& c = m_controls;
    connectGuarded(c.Button27, &QPushButton::clicked, this, m_policy, [this] { m_consume->Button27Click(); });
    connectGuarded(c.Button17, &QPushButton::clicked, this, m_policy, [this] { m_consume->Button17Click(); });
    connectGuarded(c.Button18, &QPushButton::clicked, this, m_policy, [this] { m_consume->Button18Click(); });
    connectGuarded(c.Button19, &QPushButton::clicked, this, m_policy, [this] { m_consume->Button19Click(); });
    connectGuarded(c.CheckBox12, &QCheckBox::toggled, this, m_policy, [this] { m_consume->CheckBox12Click(); });
    connectGuarded(c.SpinEdit11, &SpinEdit::changed, this, m_policy, [this] { m_consume->SpinEdit11Change(); });
    connectGuarded(c.SpinEdit5, &SpinEdit::changed, this, m_policy, [this] { m_consume->SpinEdit5Change(); });
}
