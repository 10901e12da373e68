#pragma once

#include "tasks/recognition_options.h"

#include <QWidget>

class MessagePolicy;
class QCheckBox;
class QPushButton;
class QRadioButton;
class RecognitionHandlers;
class SpinEdit;
struct ProtectionOptions;

// The controls of the "Advanced Options" tab.
struct AdvancedTabControls {
    QCheckBox* smartRecognitionCheck = nullptr;
    SpinEdit* smartToleranceSpin = nullptr;
    QRadioButton* tolerancePercentRadio = nullptr;
    QRadioButton* toleranceTotalRadio = nullptr;
    QCheckBox* filterTextLengthCheck = nullptr;
    QCheckBox* spareShortNamesCheck = nullptr;
    SpinEdit* shortNameLengthSpin = nullptr;
    QCheckBox* followWindowHandleCheck = nullptr;
    QCheckBox* limitNameLengthCheck = nullptr;
    SpinEdit* nameLengthLimitSpin = nullptr;
    QCheckBox* cleverProcessingCheck = nullptr;
    QCheckBox* matchSameNamesCheck = nullptr;
    QCheckBox* sortedListsCheck = nullptr;
    QCheckBox* quickRepeatCheck = nullptr;
    QPushButton* collapseToMenuButton = nullptr;
    QCheckBox* keepSettingsCheck = nullptr;
    QPushButton* moveToTrayButton = nullptr;
    QCheckBox* confirmActionsCheck = nullptr;
    QCheckBox* startAtLoginCheck = nullptr; // "Start Torvane when I log in"; its state is the autostart entry
    QPushButton* disableTemperatureTabButton = nullptr;
    QPushButton* enableSilentModeButton = nullptr;
};

// The page of the "Advanced Options" tab. It holds the recognition settings and binds the two
// protection options it shows into `protection`; the general options' buttons are the main window's.
class AdvancedOptionsTab : public QWidget {
    Q_OBJECT
public:
    AdvancedOptionsTab(ProtectionOptions& protection, QWidget* parent = nullptr);

    const AdvancedTabControls& controls() const { return m_controls; }
    const RecognitionSettings& recognitionSettings() const { return m_recognition; }

    void connectRecognition(MessagePolicy& policy, RecognitionHandlers& recognition);

private:
    QWidget* createTaskManagementOptions(ProtectionOptions& protection);
    QWidget* createGeneralOptions();

    AdvancedTabControls m_controls;
    RecognitionSettings m_recognition;
};
