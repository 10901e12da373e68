#pragma once

#include <QRect>
#include <QSize>

class QScrollArea;
class QWidget;

// Fitting the main window onto small screens: it keeps its designed size and minimum where the
// screen's free area holds them and takes what there is where it does not, its tab pages then
// scrolling instead of being cut off.
namespace screen_fit {

// The free area of the primary screen, less room for the window manager's frame around a window.
QRect room();

// `designed`, shrunk to `room` where it is larger.
inline QSize within(QSize designed, QSize room) {
    return designed.boundedTo(room);
}

// Puts a frameless scroll area filling `page` and returns the widget inside it, which holds the
// page's controls; it scrolls only when the page is smaller than they need.
QWidget* scrolledContent(QWidget* page);

} // namespace screen_fit
