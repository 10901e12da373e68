#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class MessagePolicy;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// The help window: the topic titles of the help index on the left, the chosen topic's text on the
// right, and a search over the titles. Created hidden; closing it only hides it.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 833;
    static constexpr int kClientHeight = 518;
    static constexpr int kListWidth = 413;
    static constexpr int kCollapsedExtra = 20;
    static constexpr int kExpandedExtra = 420;

    // Errors of the handlers go to the general error report through the policy's dialogs.
    explicit HelpWindow(MessagePolicy& policy, QWidget* parent = nullptr);

    // "Show Help": points the window at `baseDir` + "Help/" and shows it, or only brings it to the front
    // when it is already visible (no reload then).
    void openHelp(const QString& baseDir);

    void setPath(const QString& s) { m_HelpFolder = s; }
    const QString& helpFolder() const { return m_HelpFolder; }

    int collapsedWidth() const;
    int expandedWidth() const;
    // The selected title's position, -1 when none is selected.
    int selectedIndex() const;

    // Handlers; each reports its own errors.
    void onShown();
    void onViewContentClicked();
    void onHideContentClicked();
    void onFindNextClicked();
    void onSearchSelectionClicked();

    QLabel* searchLabel = nullptr;
    QLineEdit* searchEdit = nullptr;
    QPushButton* findNextButton = nullptr;
    QPushButton* searchSelectionButton = nullptr;
    QPushButton* viewContentButton = nullptr;
    QPushButton* hideContentButton = nullptr;
    QListWidget* topicList = nullptr;
    QPlainTextEdit* topicText = nullptr;
    QStringList topicFiles; // the topic file names, at the positions of their titles

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void loadIndex();
    void viewSelected();
    void findNext();
    void setWindowWidth(int width);
    void layoutControls();

    MessagePolicy& m_policy;
    QString m_HelpFolder = QStringLiteral("Help/");
};
