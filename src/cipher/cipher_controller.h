#pragma once

#include "cipher/cipher_key.h"
#include "cipher/encryption_controls.h"

#include <QElapsedTimer>
#include <QString>
#include <cstdint>

class QWidget;

namespace platform {
class Dialogs;
}

// The handlers of the "Encryption" tab. They throw TorvaneError on a file error; the tab runs
// them inside the general error report.
class CipherController {
public:
    // `owner` owns the file dialog (the main window).
    CipherController(EncryptionControls& controls, platform::Dialogs& dialogs, QWidget* owner);

    void onBrowseClicked();
    void onEncryptClicked();
    void onDecryptClicked();
    void onRandomizeClicked();
    void onCancelCipherClicked();

    // Encrypts or decrypts the file at `path` in place with the key in the code boxes, keeping the
    // window usable meanwhile.
    void CipherFile(CipherDirection direction, const QString& path);

    // The key as the code boxes hold it now.
    CipherCodes readCodes() const;

    bool running() const { return m_running; }
    bool cipherCancelled() const { return CipherCancelled; }

private:
    void setRunning(bool running);
    void started(std::uint64_t size);
    bool progress(std::uint64_t processed);

    EncryptionControls& m_controls;
    platform::Dialogs& m_dialogs;
    QWidget* m_owner;
    bool CipherCancelled = false;
    bool m_running = false;
    // The gauge counts in units of 2^m_gaugeShift bytes so that large files fit its range.
    int m_gaugeShift = 0;
    QElapsedTimer m_sinceEvents;
};
