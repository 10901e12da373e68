#pragma once

#include "cipher/cipher_controller.h"
#include "cipher/encryption_controls.h"

#include <QWidget>
#include <functional>

namespace platform {
class Dialogs;
}

// The page of the "Encryption" tab: its controls, laid out, and their handlers. Each handler runs
// inside the general error report.
class EncryptionTab : public QWidget {
    Q_OBJECT
public:
    // `owner` is the main window, which owns the boxes and dialogs of the tab.
    EncryptionTab(platform::Dialogs& dialogs, QWidget* owner, QWidget* parent = nullptr);

    EncryptionControls& controls() { return m_controls; }
    CipherController& controller() { return m_controller; }

private:
    void createControls();
    void connectHandlers();

    platform::Dialogs& m_dialogs;
    QWidget* m_owner;
    EncryptionControls m_controls;
    CipherController m_controller;
};
