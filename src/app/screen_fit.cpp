#include "app/screen_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

namespace screen_fit {

namespace {
// The frame is only known once the window manager has put the window up; a title bar and borders
// fit in this on the common desktops.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 40;
} // namespace

QRect room() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QRect(0, 0, QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QRect area = screen->availableGeometry();
    return QRect(area.topLeft(), QSize(area.width() - kFrameWidth, area.height() - kFrameHeight));
}

QWidget* scrolledContent(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(page);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* content = new QWidget(scroll);
    scroll->setWidget(content);
    // The tab page's own background shows through, as it did without the scroll area.
    scroll->viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    layout->addWidget(scroll);
    return content;
}

} // namespace screen_fit
