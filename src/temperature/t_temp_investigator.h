#pragma once

#include <QWidget>

// The temperature investigator: lists the tasks that appeared when the temperature jumped.
// Created hidden at start-up and kept until exit.
class TTempInvestigator : public QWidget {
    Q_OBJECT
public:
    explicit TTempInvestigator(QWidget* parent = nullptr);
};
