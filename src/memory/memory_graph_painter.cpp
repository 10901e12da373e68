#include "memory/memory_graph_painter.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>

namespace {

QPen thinPen(const QColor& color) {
    QPen pen(color);
    pen.setWidth(1);
    pen.setCosmetic(true);
    return pen;
}

void drawText(QPainter& painter, const MemoryGraphText& text, const QColor& background) {
    const QFontMetrics metrics = painter.fontMetrics();
    painter.fillRect(QRect(text.topLeft, QSize(metrics.horizontalAdvance(text.text), metrics.height())), background);
    painter.drawText(QPoint(text.topLeft.x(), text.topLeft.y() + metrics.ascent()), text.text);
}

} // namespace

QColor hotLightColor() {
    return QGuiApplication::palette().color(QPalette::Active, QPalette::Link);
}

void paintMemoryGraph(QImage& image, const MemoryGraphLayout& layout, const QColor& hotLight) {
    const int w = layout.size.width();
    const int h = layout.size.height();
    if (w <= 0 || h <= 0 || image.isNull())
        return;
    const QColor red(255, 0, 0);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(0, 0, w, h), hotLight);
    painter.setPen(thinPen(red));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(0, 0, w - 1, h - 1));

    painter.setPen(thinPen(QColor(255, 255, 0)));
    painter.drawPolyline(layout.line.data(), static_cast<int>(layout.line.size()));

    painter.setPen(thinPen(red));
    drawText(painter, layout.newest, hotLight);
    drawText(painter, layout.high, hotLight);
    drawText(painter, layout.low, hotLight);

    painter.fillRect(layout.leftBar, red);
    painter.fillRect(layout.bottomBar, red);
}
