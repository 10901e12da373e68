// The tab's options that only mirror menu items or enable one another.
#include "core/digits_to_int.h"
#include "temperature/temperature_reactions.h"
#include "widgets/spin_edit.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>

void TemperatureReactions::SpinEdit13Change() {
    // Runs for both spin edits; the caption always follows the threshold.
    m_menu.IfBiggestTemperatureOver1->setTitle(QStringLiteral("If biggest temperature over ") +
                                               QString::number(DigitsToInt(m_controls.SpinEdit13->text())) +
                                               QStringLiteral(" degrees..."));
}

void TemperatureReactions::CheckBox22Click() {
    m_controls.CheckBox23->setEnabled(m_controls.CheckBox22->isChecked());
}

namespace {
void menuItemClick(QAction* item, QCheckBox* box) {
    item->setChecked(!item->isChecked());
    box->setChecked(item->isChecked());
}
} // namespace

void TemperatureReactions::CheckBox17Click() {
    m_menu.StartWithCoreTemp1->setChecked(m_controls.CheckBox17->isChecked());
}

void TemperatureReactions::StartWithCoreTemp1Click() {
    menuItemClick(m_menu.StartWithCoreTemp1, m_controls.CheckBox17);
}

void TemperatureReactions::CheckBox21Click() {
    m_menu.askRelatedTemperatureChanges1->setChecked(m_controls.CheckBox21->isChecked());
}

void TemperatureReactions::askRelatedTemperatureChanges1Click() {
    menuItemClick(m_menu.askRelatedTemperatureChanges1, m_controls.CheckBox21);
}

void TemperatureReactions::CheckBox16Click() {
    m_menu.StoptaskProtection1->setChecked(m_controls.CheckBox16->isChecked());
}

void TemperatureReactions::StoptaskProtection1Click() {
    menuItemClick(m_menu.StoptaskProtection1, m_controls.CheckBox16);
}
