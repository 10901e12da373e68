#pragma once

#include "app/main_form.h"

class MessagePolicy;
class QPushButton;

// Switches silent mode, the check mark of silentModeAction that the message policy reads, and keeps
// its two mirrors (the tray item and the button on the "Advanced Options" tab) in step.
class SilentModeController {
public:
    // Connects the menu item, the tray item and the button to the switch.
    SilentModeController(MainForm& form, QPushButton* enableSilentModeButton, MessagePolicy& policy);

    void onSilentModeTriggered();

private:
    MainForm& m_form;
    QPushButton* m_enableSilentModeButton;
    MessagePolicy& m_policy;
};
