#pragma once

#include <QWidget>
#include <cstdint>

class QLabel;
class QPushButton;
class QTimer;
class TaskListView;

// The temperature investigator: lists the tasks that appeared when the temperature jumped.
// Created hidden at start-up and kept until exit. Its buttons do not act themselves: they leave a
// request (1 kill, 2 add to the kill list) that the next protection tick carries out.
class TemperatureInvestigator : public QWidget {
    Q_OBJECT
public:
    static constexpr std::int32_t kKillRequest = 1;
    static constexpr std::int32_t kAddToKillListRequest = 2;

    explicit TemperatureInvestigator(QWidget* parent = nullptr);

    // Where the buttons leave their request (the shared InvestigatorRequest); none until bound.
    void bindRequest(std::int32_t& request) { m_request = &request; }

    QLabel* headingLabel = nullptr;
    TaskListView* suspectsView = nullptr;
    QPushButton* killButton = nullptr;
    QPushButton* addToKillListButton = nullptr;
    QPushButton* doneButton = nullptr;
    QTimer* raiseTimer = nullptr;

    void onKillClicked();
    void onAddToKillListClicked();
    void onDoneClicked();
    void onRaiseTick();

private:
    void request(std::int32_t value);

    std::int32_t* m_request = nullptr;
};
