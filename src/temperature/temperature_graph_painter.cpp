#include "temperature/temperature_graph_painter.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

namespace {

QPen solidPen(const QColor& color) {
    QPen pen(color);
    pen.setWidth(1);
    pen.setStyle(Qt::SolidLine);
    pen.setCosmetic(true);
    return pen;
}

struct ItemPainter {
    QPainter& painter;
    const QColor& hotLight;

    QColor color(const GraphColor& c) const { return toQColor(c, hotLight); }

    void operator()(const GraphRectangle& r) const {
        if (r.right <= r.left || r.bottom <= r.top)
            return;
        // The area covers left..right-1 and top..bottom-1, the outline runs on its border pixels.
        const QRect area(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
        painter.fillRect(area, color(r.brush));
        painter.setPen(solidPen(color(r.pen)));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(area.adjusted(0, 0, -1, -1));
    }

    void operator()(const GraphPolyline& line) const {
        if (line.points.size() < 2)
            return;
        painter.setPen(solidPen(color(line.pen)));
        painter.drawPolyline(line.points.constData(), static_cast<int>(line.points.size()));
    }

    void operator()(const GraphLabel& label) const {
        const QFontMetrics metrics = painter.fontMetrics();
        const QRect cell(label.position, QSize(metrics.horizontalAdvance(label.text), metrics.height()));
        painter.fillRect(cell, color(label.background));
        painter.setPen(solidPen(color(label.color)));
        painter.drawText(QPoint(label.position.x(), label.position.y() + metrics.ascent()), label.text);
    }
};

} // namespace

QColor systemHotLightColor() {
    return QGuiApplication::palette().color(QPalette::Active, QPalette::Link);
}

QColor toQColor(const GraphColor& color, const QColor& hotLight) {
    return color.hotLight ? hotLight : QColor(color.red, color.green, color.blue);
}

GraphColor fromQColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return GraphColor::rgb(rgb.red(), rgb.green(), rgb.blue());
}

void paintTemperatureGraph(QPainter& painter, const GraphDrawing& drawing, const QColor& hotLight) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const ItemPainter itemPainter{painter, hotLight};
    for (const GraphItem& item : drawing.items)
        std::visit(itemPainter, item);
    painter.restore();
}

QImage renderTemperatureGraph(const GraphDrawing& drawing, const QColor& hotLight) {
    QImage image(drawing.size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(hotLight);
    QPainter painter(&image);
    paintTemperatureGraph(painter, drawing, hotLight);
    return image;
}
