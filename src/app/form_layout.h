#pragma once

class QMenuBar;
class QObject;
class QWidget;
struct MainForm;

// The main window's menus and timers, created with their captions, check marks and intervals.
// Only creation lives here; the handlers are connected by the main window and the tabs.
void buildMainMenu(MainForm& form, QMenuBar* bar);
void buildPopupMenus(MainForm& form, QWidget* owner);
void buildTimers(MainForm& form, QObject* owner);
