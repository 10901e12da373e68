#include "app/advanced_options_tab.h"

#include "core/error_report.h"
#include "tasks/protection_options.h"
#include "tasks/recognition_handlers.h"
#include "widgets/form_builder.h"
#include "widgets/guarded_connect.h"
#include "widgets/option_binding.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace form;

AdvancedOptionsTab::AdvancedOptionsTab(ProtectionOptions& protection, QWidget* parent) : QWidget(parent) {
    QWidget* taskOptions = createTaskManagementOptions(protection);
    QWidget* general = createGeneralOptions();
    auto* silent = new QGroupBox(QStringLiteral("Silent Mode"), this);
    m_controls.enableSilentModeButton =
        button(silent, "enableSilentModeButton", QStringLiteral("Enable Silent Mode (not recommended)"));
    auto* silentLayout = new QVBoxLayout(silent);
    silentLayout->addLayout(row({m_controls.enableSilentModeButton}));
    silentLayout->addStretch(1);

    auto* right = new QVBoxLayout;
    right->addWidget(general);
    right->addWidget(silent);
    right->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(taskOptions, 1, Qt::AlignTop);
    layout->addLayout(right, 1);
}

QWidget* AdvancedOptionsTab::createTaskManagementOptions(ProtectionOptions& protection) {
    auto& c = m_controls;
    RecognitionSettings& r = m_recognition;
    auto* box = new QGroupBox(QStringLiteral("Task Management Options"), this);
    c.smartRecognitionCheck = checkBox(box, "smartRecognitionCheck", QStringLiteral("Smart Text Recognition"), true);
    c.smartToleranceSpin = spinEdit(box, "smartToleranceSpin", 1, 10, 6);
    bind::text(c.smartToleranceSpin, r.toleranceText);
    c.tolerancePercentRadio = radioButton(box, "tolerancePercentRadio", QStringLiteral("percent"), false);
    bind::checked(c.tolerancePercentRadio, r.percentMode);
    c.toleranceTotalRadio = radioButton(box, "toleranceTotalRadio", QStringLiteral("total"), true);
    c.filterTextLengthCheck =
        checkBox(box, "filterTextLengthCheck", QStringLiteral("Apply filter to text length"), false);
    bind::checked(c.filterTextLengthCheck, r.lengthFilter);
    c.spareShortNamesCheck =
        checkBox(box, "spareShortNamesCheck", QStringLiteral("Do not apply filter to names smaller than"), true);
    bind::checked(c.spareShortNamesCheck, r.spareShortNames);
    c.shortNameLengthSpin = spinEdit(box, "shortNameLengthSpin", 2, 9, 3);
    c.shortNameLengthSpin->setEnabled(false);
    bind::text(c.shortNameLengthSpin, r.shortNameLengthText);
    c.followWindowHandleCheck =
        checkBox(box, "followWindowHandleCheck", QStringLiteral("Change according to windows handle"), true);
    bind::checked(c.followWindowHandleCheck, r.changeByHandle);
    c.limitNameLengthCheck = checkBox(box, "limitNameLengthCheck", QStringLiteral("Limit task name length to"), false);
    bind::checked(c.limitNameLengthCheck, r.limitNameLength);
    c.nameLengthLimitSpin = spinEdit(box, "nameLengthLimitSpin", 32, 1024, 32);
    bind::text(c.nameLengthLimitSpin, r.nameLengthLimitText);
    c.cleverProcessingCheck =
        checkBox(box, "cleverProcessingCheck", QStringLiteral("Clever processing (slower but cleverer)"), true);
    bind::checked(c.cleverProcessingCheck, r.cleverProcessing);
    c.matchSameNamesCheck =
        checkBox(box, "matchSameNamesCheck", QStringLiteral("Change same names to match each other"), false);
    bind::checked(c.matchSameNamesCheck, protection.matchSameNames);
    c.sortedListsCheck = checkBox(box, "sortedListsCheck", QStringLiteral("Sorted lists"), false);
    bind::checked(c.sortedListsCheck, r.sortedLists);
    c.quickRepeatCheck =
        checkBox(box, "quickRepeatCheck", QStringLiteral("Quickly process repeat last option (recommended)"), true);
    bind::checked(c.quickRepeatCheck, protection.quickRepeat);

    auto* v = new QVBoxLayout(box);
    v->addLayout(row({c.smartRecognitionCheck, c.smartToleranceSpin, c.tolerancePercentRadio, c.toleranceTotalRadio}));
    v->addWidget(c.filterTextLengthCheck);
    v->addLayout(row({c.spareShortNamesCheck, c.shortNameLengthSpin, label(box, QStringLiteral("characters"))}));
    v->addWidget(c.followWindowHandleCheck);
    v->addLayout(row({c.limitNameLengthCheck, c.nameLengthLimitSpin, label(box, QStringLiteral("characters"))}));
    for (QWidget* w : {c.cleverProcessingCheck, c.matchSameNamesCheck, c.sortedListsCheck, c.quickRepeatCheck})
        v->addWidget(w);
    v->addStretch(1);
    return box;
}

QWidget* AdvancedOptionsTab::createGeneralOptions() {
    auto& c = m_controls;
    auto* box = new QGroupBox(QStringLiteral("General Options"), this);
    c.collapseToMenuButton =
        button(box, "collapseToMenuButton", QStringLiteral("Collapse to menu only (setting not kept on exit)"));
    c.keepSettingsCheck = checkBox(box, "keepSettingsCheck", QStringLiteral("Keep settings on exit"), false);
    c.moveToTrayButton = button(box, "moveToTrayButton", QStringLiteral("Move to Tray"));
    c.confirmActionsCheck =
        checkBox(box, "confirmActionsCheck",
                 QStringLiteral("Display confirmation messages after Task Management Actions"), false);
    c.disableTemperatureTabButton =
        button(box, "disableTemperatureTabButton", QStringLiteral("Disable the Temperature tag (speeds up Torvane)"));
    c.startAtLoginCheck = checkBox(box, "startAtLoginCheck", QStringLiteral("Start Torvane when I log in"), false);
    auto* v = new QVBoxLayout(box);
    v->addLayout(row({c.collapseToMenuButton}));
    v->addWidget(c.keepSettingsCheck);
    v->addLayout(row({c.moveToTrayButton}));
    v->addWidget(c.confirmActionsCheck);
    v->addLayout(row({c.disableTemperatureTabButton}));
    v->addWidget(c.startAtLoginCheck);
    v->addStretch(1);
    return box;
}

void AdvancedOptionsTab::connectRecognition(MessagePolicy& policy, RecognitionHandlers& recognition) {
    const auto& c = m_controls;
    RecognitionHandlers* r = &recognition;
    connectGuarded(c.smartRecognitionCheck, &QCheckBox::toggled, this, policy, [r] { r->onSmartRecognitionToggled(); });
    connectGuarded(c.sortedListsCheck, &QCheckBox::toggled, this, policy, [r] { r->onSortedListsToggled(); });
    // Only the radio button that becomes selected rescales the tolerance.
    connect(c.tolerancePercentRadio, &QRadioButton::toggled, this, [&policy, r](bool on) {
        if (on)
            runGuarded(policy, [r] { r->onTolerancePercentToggled(); });
    });
    connect(c.toleranceTotalRadio, &QRadioButton::toggled, this, [&policy, r](bool on) {
        if (on)
            runGuarded(policy, [r] { r->onToleranceTotalToggled(); });
    });
}
