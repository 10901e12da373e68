#pragma once

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class SpinEdit;

// The controls of the "Internet" tab, with the main window's
// retrieval timer and silent-mode menu item that its handlers use.
struct InternetControls {
    QLabel* internetTitleLabel = nullptr;
    QPlainTextEdit* connectionStateText = nullptr; // the connection state, one fact per line
    QPushButton* getAddressButton = nullptr;
    QLineEdit* addressPageEdit = nullptr;          // the page address
    QLineEdit* publicAddressEdit = nullptr;        // the address found
    QCheckBox* periodicLookupCheck = nullptr;      // periodic retrieval
    SpinEdit* lookupIntervalSpin = nullptr;        // its interval in milliseconds
    QCheckBox* lookupOnlyConnectedCheck = nullptr; // only while connected

    QTimer* addressLookupTimer = nullptr; // the main window's
    QAction* silentModeAction = nullptr;  // the main menu's
};
