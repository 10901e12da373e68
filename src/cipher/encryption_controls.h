#pragma once

#include <array>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// The controls of the "Encryption" tab, named as the program names them.
struct EncryptionControls {
    QLineEdit* Edit6 = nullptr; // the file to process
    QPushButton* Button21 = nullptr;
    QPushButton* Button22 = nullptr;
    QPushButton* Button23 = nullptr;
    QPushButton* Button26 = nullptr;
    QLabel* Label15 = nullptr;
    QLineEdit* Edit7 = nullptr; // codes 1 to 8
    QLineEdit* Edit8 = nullptr;
    QLineEdit* Edit9 = nullptr;
    QLineEdit* Edit10 = nullptr;
    QLineEdit* Edit11 = nullptr;
    QLineEdit* Edit12 = nullptr;
    QLineEdit* Edit13 = nullptr;
    QLineEdit* Edit14 = nullptr;
    QPushButton* Button24 = nullptr;
    QProgressBar* Gauge2 = nullptr;

    // The eight code boxes in key order.
    std::array<QLineEdit*, 8> codeBoxes() const {
        return {Edit7, Edit8, Edit9, Edit10, Edit11, Edit12, Edit13, Edit14};
    }
};
