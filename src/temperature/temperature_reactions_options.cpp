// The tab's options that only mirror menu items or enable one another.
#include "core/digits_to_int.h"
#include "temperature/temperature_reactions.h"
#include "widgets/spin_edit.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>

void TemperatureReactions::onOverheatThresholdChanged() {
    // Runs for both spin edits; the caption always follows the threshold.
    m_menu.overheatMenu->setTitle(QStringLiteral("If biggest temperature over ") +
                                  QString::number(DigitsToInt(m_controls.overheatThresholdSpin->text())) +
                                  QStringLiteral(" degrees..."));
}

void TemperatureReactions::onOverheatShutDownToggled() {
    m_controls.overheatRebootCheck->setEnabled(m_controls.overheatShutDownCheck->isChecked());
}

namespace {
void menuItemClick(QAction* item, QCheckBox* box) {
    item->setChecked(!item->isChecked());
    box->setChecked(item->isChecked());
}
} // namespace

void TemperatureReactions::onStartCoreTempWithTorvaneToggled() {
    m_menu.startCoreTempWithTorvaneAction->setChecked(m_controls.startCoreTempWithTorvaneCheck->isChecked());
}

void TemperatureReactions::onStartCoreTempWithTorvaneTriggered() {
    menuItemClick(m_menu.startCoreTempWithTorvaneAction, m_controls.startCoreTempWithTorvaneCheck);
}

void TemperatureReactions::onDetectTemperatureChangesToggled() {
    m_menu.detectTemperatureChangesAction->setChecked(m_controls.detectTemperatureChangesCheck->isChecked());
}

void TemperatureReactions::onDetectTemperatureChangesTriggered() {
    menuItemClick(m_menu.detectTemperatureChangesAction, m_controls.detectTemperatureChangesCheck);
}

void TemperatureReactions::onOverheatStopProtectionToggled() {
    m_menu.overheatStopProtectionAction->setChecked(m_controls.overheatStopProtectionCheck->isChecked());
}

void TemperatureReactions::onOverheatStopProtectionTriggered() {
    menuItemClick(m_menu.overheatStopProtectionAction, m_controls.overheatStopProtectionCheck);
}
