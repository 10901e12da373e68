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
class THelping : public QWidget {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 833;
    static constexpr int kClientHeight = 518;
    static constexpr int kListWidth = 413;
    static constexpr int kCollapsedExtra = 20;
    static constexpr int kExpandedExtra = 420;

    // Errors of the handlers go to the general error report through the policy's dialogs.
    explicit THelping(MessagePolicy& policy, QWidget* parent = nullptr);

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
    void FormShow();
    void Button29Click(); // "View Selected Content"
    void Button28Click(); // "Hide Viewing Content"
    void Button30Click(); // "Find Next"
    void Button1Click();  // "Search for selection in Help Contents"

    QLabel* Label17 = nullptr;
    QLineEdit* Edit15 = nullptr;
    QPushButton* Button30 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button29 = nullptr;
    QPushButton* Button28 = nullptr;
    QListWidget* HelpContents = nullptr;
    QPlainTextEdit* RichEdit1 = nullptr;
    QStringList ListBox9; // the topic file names, at the positions of their titles

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
