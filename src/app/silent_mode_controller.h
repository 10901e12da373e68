#pragma once

#include "app/main_form.h"

class MessagePolicy;

// Switches silent mode, the check mark of silentModeAction that the message policy reads, and keeps
// its two mirrors (the tray item and the button on the "Advanced Options" tab) in step.
class SilentModeController {
public:
    SilentModeController(MainForm& form, MessagePolicy& policy);

    void onSilentModeTriggered();

private:
    MainForm& m_form;
    MessagePolicy& m_policy;
};
