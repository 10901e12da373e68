#include "app/form_layout.h"
#include "app/main_form.h"
#include "widgets/form_builder.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace form;

namespace {

void buildTaskManagementOptions(MainForm& f, QGroupBox* box) {
    f.smartRecognitionCheck = checkBox(box, "smartRecognitionCheck", QStringLiteral("Smart Text Recognition"), true);
    f.smartToleranceSpin = spinEdit(box, "smartToleranceSpin", 1, 10, 6);
    f.tolerancePercentRadio = radioButton(box, "tolerancePercentRadio", QStringLiteral("percent"), false);
    f.toleranceTotalRadio = radioButton(box, "toleranceTotalRadio", QStringLiteral("total"), true);
    f.filterTextLengthCheck =
        checkBox(box, "filterTextLengthCheck", QStringLiteral("Apply filter to text length"), false);
    f.spareShortNamesCheck =
        checkBox(box, "spareShortNamesCheck", QStringLiteral("Do not apply filter to names smaller than"), true);
    f.shortNameLengthSpin = spinEdit(box, "shortNameLengthSpin", 2, 9, 3);
    f.shortNameLengthSpin->setEnabled(false);
    f.followWindowHandleCheck =
        checkBox(box, "followWindowHandleCheck", QStringLiteral("Change according to windows handle"), true);
    f.limitNameLengthCheck = checkBox(box, "limitNameLengthCheck", QStringLiteral("Limit task name length to"), false);
    f.nameLengthLimitSpin = spinEdit(box, "nameLengthLimitSpin", 32, 1024, 32);
    f.cleverProcessingCheck =
        checkBox(box, "cleverProcessingCheck", QStringLiteral("Clever processing (slower but cleverer)"), true);
    f.matchSameNamesCheck =
        checkBox(box, "matchSameNamesCheck", QStringLiteral("Change same names to match each other"), false);
    f.sortedListsCheck = checkBox(box, "sortedListsCheck", QStringLiteral("Sorted lists"), false);
    f.quickRepeatCheck =
        checkBox(box, "quickRepeatCheck", QStringLiteral("Quickly process repeat last option (recommended)"), true);

    auto* v = new QVBoxLayout(box);
    v->addLayout(row({f.smartRecognitionCheck, f.smartToleranceSpin, f.tolerancePercentRadio, f.toleranceTotalRadio}));
    v->addWidget(f.filterTextLengthCheck);
    v->addLayout(row({f.spareShortNamesCheck, f.shortNameLengthSpin, label(box, QStringLiteral("characters"))}));
    v->addWidget(f.followWindowHandleCheck);
    v->addLayout(row({f.limitNameLengthCheck, f.nameLengthLimitSpin, label(box, QStringLiteral("characters"))}));
    for (QWidget* w : {f.cleverProcessingCheck, f.matchSameNamesCheck, f.sortedListsCheck, f.quickRepeatCheck})
        v->addWidget(w);
    v->addStretch(1);
}

void buildGeneralOptions(MainForm& f, QGroupBox* box) {
    f.collapseToMenuButton =
        button(box, "collapseToMenuButton", QStringLiteral("Collapse to menu only (setting not kept on exit)"));
    f.keepSettingsCheck = checkBox(box, "keepSettingsCheck", QStringLiteral("Keep settings on exit"), false);
    f.moveToTrayButton = button(box, "moveToTrayButton", QStringLiteral("Move to Tray"));
    f.confirmActionsCheck =
        checkBox(box, "confirmActionsCheck",
                 QStringLiteral("Display confirmation messages after Task Management Actions"), false);
    f.disableTemperatureTabButton =
        button(box, "disableTemperatureTabButton", QStringLiteral("Disable the Temperature tag (speeds up Torvane)"));
    f.startAtLoginCheck = checkBox(box, "startAtLoginCheck", QStringLiteral("Start Torvane when I log in"), false);
    auto* v = new QVBoxLayout(box);
    v->addLayout(row({f.collapseToMenuButton}));
    v->addWidget(f.keepSettingsCheck);
    v->addLayout(row({f.moveToTrayButton}));
    v->addWidget(f.confirmActionsCheck);
    v->addLayout(row({f.disableTemperatureTabButton}));
    v->addWidget(f.startAtLoginCheck);
    v->addStretch(1);
}

} // namespace

void buildAdvancedTab(MainForm& f, QWidget* page) {
    auto* taskOptions = new QGroupBox(QStringLiteral("Task Management Options"), page);
    auto* general = new QGroupBox(QStringLiteral("General Options"), page);
    auto* silent = new QGroupBox(QStringLiteral("Silent Mode"), page);
    buildTaskManagementOptions(f, taskOptions);
    buildGeneralOptions(f, general);
    f.enableSilentModeButton =
        button(silent, "enableSilentModeButton", QStringLiteral("Enable Silent Mode (not recommended)"));
    auto* silentLayout = new QVBoxLayout(silent);
    silentLayout->addLayout(row({f.enableSilentModeButton}));
    silentLayout->addStretch(1);

    auto* right = new QVBoxLayout;
    right->addWidget(general);
    right->addWidget(silent);
    right->addStretch(1);
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(taskOptions, 1, Qt::AlignTop);
    layout->addLayout(right, 1);
}
