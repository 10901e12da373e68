#include "memory/graph_image.h"

#include <QPainter>

GraphImage::GraphImage(QSize designSize, QWidget* parent) : QWidget(parent), m_designSize(designSize) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(50, 50);
    resize(designSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage& GraphImage::canvas() {
    const QSize wanted = size().expandedTo(QSize(1, 1));
    if (m_image.size() != wanted)
        m_image = QImage(wanted, QImage::Format_RGB32);
    return m_image;
}

void GraphImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (!m_image.isNull())
        painter.drawImage(QPoint(0, 0), m_image);
}
