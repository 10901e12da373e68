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
class TTempInvestigator : public QWidget {
    Q_OBJECT
public:
    static constexpr std::int32_t kKillRequest = 1;
    static constexpr std::int32_t kAddToKillListRequest = 2;

    explicit TTempInvestigator(QWidget* parent = nullptr);

    // Where the buttons leave their request (the shared InvestigatorRequest); none until bound.
    void bindRequest(std::int32_t& request) { m_request = &request; }

    QLabel* Label1 = nullptr;
    TaskListView* ListBox1 = nullptr;
    QPushButton* Button1 = nullptr; // "Kill"
    QPushButton* Button3 = nullptr; // "Add to Kill List"
    QPushButton* Button2 = nullptr; // "Done"
    QTimer* Timer1 = nullptr;

    void Button1Click();
    void Button3Click();
    void Button2Click();
    void Timer1Timer();

private:
    void request(std::int32_t value);

    std::int32_t* m_request = nullptr;
};
