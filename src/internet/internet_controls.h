#pragma once

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class SpinEdit;

// The controls of the "Internet" tab, named as the program names them, with the main window's
// retrieval timer and silent-mode menu item that its handlers use.
struct InternetControls {
    QLabel* InternetTitle = nullptr; // "Internet Conncetion"
    QPlainTextEdit* Memo1 = nullptr; // the connection state, one fact per line
    QPushButton* Button16 = nullptr; // "Get IP from"
    QLineEdit* Edit4 = nullptr;      // the page address
    QLineEdit* Edit5 = nullptr;      // the address found
    QCheckBox* CheckBox13 = nullptr; // periodic retrieval
    SpinEdit* SpinEdit12 = nullptr;  // its interval in milliseconds
    QCheckBox* CheckBox14 = nullptr; // only while connected

    QTimer* Timer5 = nullptr;       // the main window's
    QAction* SilentMode1 = nullptr; // the main menu's
};
