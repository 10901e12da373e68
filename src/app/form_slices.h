#pragma once
// The part of the main window's controls each controller is given; a field is named as the control.

#include "app/main_form.h"
#include "lists/list_controls.h"
#include "temperature/temperature_tab_controls.h"

ListFileControls listFileControls(const MainForm& f);
TemperatureMenuItems temperatureMenuItems(const MainForm& f);
