#include "app/app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

QIcon torvaneIcon() {
    QIcon icon;
    for (int size : {16, 22, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal s = size;
        QPainterPath shield;
        shield.moveTo(s * 0.5, s * 0.04);
        shield.lineTo(s * 0.92, s * 0.2);
        shield.cubicTo(s * 0.92, s * 0.62, s * 0.72, s * 0.84, s * 0.5, s * 0.97);
        shield.cubicTo(s * 0.28, s * 0.84, s * 0.08, s * 0.62, s * 0.08, s * 0.2);
        shield.closeSubpath();
        p.fillPath(shield, QColor(0x1f, 0x5f, 0xa8));
        p.setPen(QPen(QColor(0xf2, 0xf2, 0xf2), std::max(1.0, s / 12)));
        p.drawLine(QPointF(s * 0.3, s * 0.5), QPointF(s * 0.45, s * 0.66));
        p.drawLine(QPointF(s * 0.45, s * 0.66), QPointF(s * 0.72, s * 0.34));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
