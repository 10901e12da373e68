// The main menu's temperature items and the tab's boxes they mirror.
#include "core/digits_to_int.h"
#include "temperature/temperature_tab.h"
#include "widgets/guarded_connect.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>

void TemperatureTab::connectMenu() {
    connectGuardedMenuItem(m_menu.startCoreTempAction, this, m_policy, [this] { onStartCoreTempClicked(); });
    mirrorMenuItem(m_controls.startCoreTempWithTorvaneCheck, m_menu.startCoreTempWithTorvaneAction);
    mirrorMenuItem(m_controls.detectTemperatureChangesCheck, m_menu.detectTemperatureChangesAction);
    mirrorMenuItem(m_controls.overheatStopProtectionCheck, m_menu.overheatStopProtectionAction);
}

void TemperatureTab::mirrorMenuItem(QCheckBox* box, QAction* item) {
    // Check boxes react to every change of state, from the user or from code; the states are never
    // compared, each side copies its own.
    connectGuarded(box, &QCheckBox::toggled, this, m_policy, [box, item] { item->setChecked(box->isChecked()); });
    connectGuardedMenuItem(item, this, m_policy, [box, item] {
        item->setChecked(!item->isChecked());
        box->setChecked(item->isChecked());
    });
}

void TemperatureTab::showOverheatThreshold() {
    m_menu.overheatMenu->setTitle(QStringLiteral("If biggest temperature over ") +
                                  QString::number(DigitsToInt(m_options.overheatThreshold)) +
                                  QStringLiteral(" degrees..."));
}
