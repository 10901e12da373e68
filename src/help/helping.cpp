#include "help/helping.h"

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

THelping::THelping(MessagePolicy& policy, QWidget* parent) : QWidget(parent, Qt::Window), m_policy(policy) {
    setWindowTitle(QStringLiteral("Help"));
    // The help window must never end the program, even while the main window sits in the tray.
    setAttribute(Qt::WA_QuitOnClose, false);

    Label17 = new QLabel(QStringLiteral("Help Contents"), this);
    Edit15 = new QLineEdit(this);
    Button30 = new QPushButton(QStringLiteral("Find Next"), this);
    Button1 = new QPushButton(QStringLiteral("Search for selection in Help Contents"), this);
    Button29 = new QPushButton(QStringLiteral("View Selected Content"), this);
    Button28 = new QPushButton(QStringLiteral("Hide Viewing Content"), this);
    HelpContents = new QListWidget(this);
    HelpContents->setSelectionMode(QAbstractItemView::SingleSelection);
    RichEdit1 = new QPlainTextEdit(this);
    RichEdit1->setReadOnly(true);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichEdit1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Button28->hide();
    RichEdit1->hide();

    connect(Button29, &QPushButton::clicked, this, &THelping::Button29Click);
    connect(HelpContents, &QListWidget::itemDoubleClicked, this, [this] { Button29Click(); });
    connect(Button28, &QPushButton::clicked, this, &THelping::Button28Click);
    connect(Button30, &QPushButton::clicked, this, &THelping::Button30Click);
    connect(Button1, &QPushButton::clicked, this, &THelping::Button1Click);

    resize(kClientWidth, kClientHeight);
    const QScreen* screen = QGuiApplication::primaryScreen();
    move(screen ? screen->availableGeometry().topLeft() : QPoint(0, 0));
    layoutControls();
}

void THelping::openHelp(const QString& baseDir) {
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

int THelping::collapsedWidth() const {
    return HelpContents->width() + kCollapsedExtra;
}

int THelping::expandedWidth() const {
    return HelpContents->width() + kExpandedExtra;
}

int THelping::selectedIndex() const {
    const QList<QListWidgetItem*> selected = HelpContents->selectedItems();
    return selected.isEmpty() ? -1 : HelpContents->row(selected.first());
}

void THelping::FormShow() {
    runGuarded(m_policy, [this] { loadIndex(); });
}

void THelping::Button29Click() {
    runGuarded(m_policy, [this] { viewSelected(); });
}

void THelping::Button28Click() {
    Button28->hide();
    RichEdit1->hide();
    setWindowWidth(collapsedWidth());
}

void THelping::Button30Click() {
    runGuarded(m_policy, [this] { findNext(); });
}

void THelping::Button1Click() {
    Edit15->setText(RichEdit1->textCursor().selection().toPlainText());
    Button30Click();
}

void THelping::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A spontaneous show is the window coming back from the window manager (un-minimising), not the
    // hidden window becoming visible.
    if (!event->spontaneous())
        FormShow();
}

void THelping::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutControls();
}

void THelping::loadIndex() {
    HelpContents->clear();
    ListBox9.clear();
    RichEdit1->hide();
    Button28->hide();

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
        HelpContents->addItem(topic.title);
        ListBox9.append(topic.fileName);
    }
    if (!error.isEmpty())
        throw TorvaneError(error);
    setWindowWidth(collapsedWidth());
}

void THelping::viewSelected() {
    const int index = selectedIndex();
    if (index < 0 || index >= ListBox9.size())
        return;
    const QString path = m_HelpFolder + ListBox9[index];
    if (!help::helpFileExists(path))
        return;

    RichEdit1->clear();
    if (RichEdit1->isHidden())
        setWindowWidth(expandedWidth());
    RichEdit1->show();
    Button28->show();

    QByteArray data;
    QString error;
    try {
        help::readHelpFile(path, data);
    } catch (const TorvaneError& e) {
        error = e.text();
    }
    RichEdit1->setPlainText(help::topicDisplayText(data));
    if (!error.isEmpty())
        throw TorvaneError(error);
}

void THelping::findNext() {
    QStringList titles;
    titles.reserve(HelpContents->count());
    for (int i = 0; i < HelpContents->count(); ++i)
        titles.append(HelpContents->item(i)->text());
    const int found = help::findNextTitle(titles, Edit15->text(), selectedIndex());
    if (found < 0)
        return;
    HelpContents->clearSelection();
    QListWidgetItem* item = HelpContents->item(found);
    HelpContents->scrollToItem(item, QAbstractItemView::PositionAtTop);
    HelpContents->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
}

void THelping::setWindowWidth(int width) {
    // Before the window manager has framed the window, a plain resize takes its position for the
    // client area's and pushes the title bar above the screen: keep the frame where it was.
    const QPoint frame = pos();
    resize(width, height());
    if (QWindow* window = windowHandle())
        window->setFramePosition(frame);
}

void THelping::layoutControls() {
    const int w = width();
    const int h = height();
    Label17->setGeometry(kMargin, kMargin, kListWidth, 17);
    Edit15->setGeometry(kMargin, 28, kListWidth - 100, kRowHeight);
    Button30->setGeometry(kMargin + kListWidth - 92, 28, 92, kRowHeight);
    Button1->setGeometry(kMargin, 59, kListWidth, kRowHeight);
    Button29->setGeometry(kMargin, 90, (kListWidth - kMargin) / 2, kRowHeight);
    Button28->setGeometry(kMargin + (kListWidth + kMargin) / 2, 90, (kListWidth - kMargin) / 2, kRowHeight);
    HelpContents->setGeometry(kMargin, kListTop, kListWidth, std::max(0, h - kListTop - kMargin));
    const int textLeft = kMargin + kListWidth + kMargin;
    RichEdit1->setGeometry(textLeft, kMargin, std::max(0, w - textLeft - kMargin), std::max(0, h - 2 * kMargin));
}
