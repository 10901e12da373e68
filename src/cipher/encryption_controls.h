#pragma once

#include <array>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// The controls of the "Encryption" tab.
struct EncryptionControls {
    QLineEdit* cipherFileEdit = nullptr; // the file to process
    QPushButton* browseButton = nullptr;
    QPushButton* encryptButton = nullptr;
    QPushButton* decryptButton = nullptr;
    QPushButton* cancelCipherButton = nullptr;
    QLabel* codeLabel = nullptr;
    QLineEdit* keyCode1Edit = nullptr; // codes 1 to 8
    QLineEdit* keyCode2Edit = nullptr;
    QLineEdit* keyCode3Edit = nullptr;
    QLineEdit* keyCode4Edit = nullptr;
    QLineEdit* keyCode5Edit = nullptr;
    QLineEdit* keyCode6Edit = nullptr;
    QLineEdit* keyCode7Edit = nullptr;
    QLineEdit* keyCode8Edit = nullptr;
    QPushButton* randomizeButton = nullptr;
    QProgressBar* cipherGauge = nullptr;

    // The eight code boxes in key order.
    std::array<QLineEdit*, 8> codeBoxes() const {
        return {keyCode1Edit, keyCode2Edit, keyCode3Edit, keyCode4Edit,
                keyCode5Edit, keyCode6Edit, keyCode7Edit, keyCode8Edit};
    }
};
