#include "help/help_window.h"

#include "core/error_report.h"
#include "core/message_policy.h"
#include "help/help_files.h"
#include "help/help_index.h"
#include "platform/torvane_error.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QWindow>
#include <algorithm>

namespace {
constexpr int kMargin = 8;
constexpr int kRowHeight = 25;
constexpr int kListTop = 124;
} // namespace

HelpWindow::HelpWindow(MessagePolicy& policy, QWidget* parent) : QWidget(parent, Qt::Window), m_policy(policy) {
    setWindowTitle(QStringLiteral("Help"));
    // The help window must never end the program, even while the main window sits in the tray.
    setAttribute(Qt::WA_QuitOnClose, false);

    searchLabel = new QLabel(QStringLiteral("Help Contents"), this);
    searchEdit = new QLineEdit(this);
    findNextButton = new QPushButton(QStringLiteral("Find Next"), this);
    searchSelectionButton = new QPushButton(QStringLiteral("Search for selection in Help Contents"), this);
    viewContentButton = new QPushButton(QStringLiteral("View Selected Content"), this);
    hideContentButton = new QPushButton(QStringLiteral("Hide Viewing Content"), this);
    topicList = new QListWidget(this);
    topicList->setSelectionMode(QAbstractItemView::SingleSelection);
    topicText = new QPlainTextEdit(this);
    topicText->setReadOnly(true);
    topicText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    topicText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    topicText->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    hideContentButton->hide();
    topicText->hide();

    connect(viewContentButton, &QPushButton::clicked, this, &HelpWindow::onViewContentClicked);
    connect(topicList, &QListWidget::itemDoubleClicked, this, [this] { onViewContentClicked(); });
    connect(hideContentButton, &QPushButton::clicked, this, &HelpWindow::onHideContentClicked);
    connect(findNextButton, &QPushButton::clicked, this, &HelpWindow::onFindNextClicked);
    connect(searchSelectionButton, &QPushButton::clicked, this, &HelpWindow::onSearchSelectionClicked);

    resize(kClientWidth, kClientHeight);
    const QScreen* screen = QGuiApplication::primaryScreen();
    move(screen ? screen->availableGeometry().topLeft() : QPoint(0, 0));
    layoutControls();
}

void HelpWindow::openHelp(const QString& baseDir) {
    setPath(baseDir + QStringLiteral("Help/"));
    if (isHidden()) {
        show(); // the show event reloads the index
        return;
    }
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

int HelpWindow::collapsedWidth() const {
    return topicList->width() + kCollapsedExtra;
}

int HelpWindow::expandedWidth() const {
    return topicList->width() + kExpandedExtra;
}

int HelpWindow::selectedIndex() const {
    const QList<QListWidgetItem*> selected = topicList->selectedItems();
    return selected.isEmpty() ? -1 : topicList->row(selected.first());
}

void HelpWindow::onShown() {
    runGuarded(m_policy, [this] { loadIndex(); });
}

void HelpWindow::onViewContentClicked() {
    runGuarded(m_policy, [this] { viewSelected(); });
}

void HelpWindow::onHideContentClicked() {
    hideContentButton->hide();
    topicText->hide();
    setWindowWidth(collapsedWidth());
}

void HelpWindow::onFindNextClicked() {
    runGuarded(m_policy, [this] { findNext(); });
}

void HelpWindow::onSearchSelectionClicked() {
    searchEdit->setText(topicText->textCursor().selection().toPlainText());
    onFindNextClicked();
}

void HelpWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A spontaneous show is the window coming back from the window manager (un-minimising), not the
    // hidden window becoming visible.
    if (!event->spontaneous())
        onShown();
}

void HelpWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutControls();
}

void HelpWindow::loadIndex() {
    topicList->clear();
    topicFiles.clear();
    topicText->hide();
    hideContentButton->hide();

    const QString indexPath = m_HelpFolder + QStringLiteral("MainHelp.txt");
    if (!help::helpFileExists(indexPath))
        return;
    QByteArray data;
    QString error;
    try {
        help::readHelpFile(indexPath, data);
    } catch (const TorvaneError& e) {
        error = e.text();
    }
    // What was read before a failure stays listed.
    for (const help::HelpTopic& topic : help::parseHelpIndex(data)) {
        topicList->addItem(topic.title);
        topicFiles.append(topic.fileName);
    }
    if (!error.isEmpty())
        throw TorvaneError(error);
    setWindowWidth(collapsedWidth());
}

void HelpWindow::viewSelected() {
    const int index = selectedIndex();
    if (index < 0 || index >= topicFiles.size())
        return;
    const QString path = m_HelpFolder + topicFiles[index];
    if (!help::helpFileExists(path))
        return;

    topicText->clear();
    if (topicText->isHidden())
        setWindowWidth(expandedWidth());
    topicText->show();
    hideContentButton->show();

    QByteArray data;
    QString error;
    try {
        help::readHelpFile(path, data);
    } catch (const TorvaneError& e) {
        error = e.text();
    }
    topicText->setPlainText(help::topicDisplayText(data));
    if (!error.isEmpty())
        throw TorvaneError(error);
}

void HelpWindow::findNext() {
    QStringList titles;
    titles.reserve(topicList->count());
    for (int i = 0; i < topicList->count(); ++i)
        titles.append(topicList->item(i)->text());
    const int found = help::findNextTitle(titles, searchEdit->text(), selectedIndex());
    if (found < 0)
        return;
    topicList->clearSelection();
    QListWidgetItem* item = topicList->item(found);
    topicList->scrollToItem(item, QAbstractItemView::PositionAtTop);
    topicList->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
}

void HelpWindow::setWindowWidth(int width) {
    // Before the window manager has framed the window, a plain resize takes its position for the
    // client area's and pushes the title bar above the screen: keep the frame where it was.
    const QPoint frame = pos();
    resize(width, height());
    if (QWindow* window = windowHandle())
        window->setFramePosition(frame);
}

void HelpWindow::layoutControls() {
    const int w = width();
    const int h = height();
    searchLabel->setGeometry(kMargin, kMargin, kListWidth, 17);
    searchEdit->setGeometry(kMargin, 28, kListWidth - 100, kRowHeight);
    findNextButton->setGeometry(kMargin + kListWidth - 92, 28, 92, kRowHeight);
    searchSelectionButton->setGeometry(kMargin, 59, kListWidth, kRowHeight);
    viewContentButton->setGeometry(kMargin, 90, (kListWidth - kMargin) / 2, kRowHeight);
    hideContentButton->setGeometry(kMargin + (kListWidth + kMargin) / 2, 90, (kListWidth - kMargin) / 2, kRowHeight);
    topicList->setGeometry(kMargin, kListTop, kListWidth, std::max(0, h - kListTop - kMargin));
    const int textLeft = kMargin + kListWidth + kMargin;
    topicText->setGeometry(textLeft, kMargin, std::max(0, w - textLeft - kMargin), std::max(0, h - 2 * kMargin));
}
