#pragma once

#include "app/main_form.h"
#include "core/shared_values.h"

#include <QPoint>
#include <QSystemTrayIcon>
#include <functional>

class MessagePolicy;
class QPushButton;

// The main window's life in the tray: hiding to it, coming back from it, the tray icon's mouse
// reactions and the global hot key.
class TrayController {
public:
    // Connects the buttons and menu items that hide the window to the tray.
    TrayController(MainForm& form, QPushButton* moveToTrayButton, SharedValues& values, MessagePolicy& policy);

    // The tray icon was clicked: a double click toggles the window, the context request opens
    // the tray menu, anything else does nothing. With `clickToggles` a single click toggles
    // instead: D-Bus tray hosts report every click as a single one.
    void TrayMessage(QSystemTrayIcon::ActivationReason reason);
    // Torvane was started again: the window comes back from the tray (or from being minimised) and
    // to the front.
    void showFromAnotherStart();
    void onToTrayTriggered();
    void onTrayToTrayTriggered();
    void HotKeyMessage();

    // Opens the tray menu at a screen position; replaceable so tests need no real menu loop.
    std::function<void(QMenu*, const QPoint&)> openPopup;
    // Where the mouse is, in screen coordinates.
    std::function<QPoint()> cursorPos;
    bool clickToggles = false;

private:
    void toggleWindow();

    MainForm& m_form;
    SharedValues& m_values;
    MessagePolicy& m_policy;
};
