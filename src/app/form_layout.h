#pragma once

class QMenuBar;
class QObject;
class QWidget;
struct MainForm;

// The main window's controls, created with their captions, defaults, ranges and enabled states.
// Only creation lives here; the handlers are connected by the main window.
void buildTaskTab(MainForm& form, QWidget* page);
void buildAdvancedTab(MainForm& form, QWidget* page);
void buildMainMenu(MainForm& form, QMenuBar* bar);
void buildPopupMenus(MainForm& form, QWidget* owner);
void buildTimers(MainForm& form, QObject* owner);
