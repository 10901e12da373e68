#pragma once

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class SpinEdit;

// The controls of the "Internet" tab, with the main menu's silent-mode item that its handlers use.
struct InternetControls {
    QLabel* internetTitleLabel = nullptr;
    QPlainTextEdit* connectionStateText = nullptr; // the connection state, one fact per line
    QPushButton* getAddressButton = nullptr;
    QLineEdit* addressPageEdit = nullptr;          // the page address
    QLineEdit* publicAddressEdit = nullptr;        // the address found
    QCheckBox* periodicLookupCheck = nullptr;      // periodic retrieval
    SpinEdit* lookupIntervalSpin = nullptr;        // its interval in milliseconds
    QCheckBox* lookupOnlyConnectedCheck = nullptr; // only while connected

    QAction* silentModeAction = nullptr; // the main menu's
};
