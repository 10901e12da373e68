#include "temperature/temperature_tab_image.h"

#include <QPainter>

TemperatureImage::TemperatureImage(QWidget* parent) : QWidget(parent) {
    setFixedWidth(kWidth);
    setMinimumHeight(kHeight);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    resize(kWidth, kHeight);
}

void TemperatureImage::setImage(QImage image) {
    m_image = std::move(image);
    update();
}

void TemperatureImage::paintEvent(QPaintEvent*) {
    if (m_image.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}
