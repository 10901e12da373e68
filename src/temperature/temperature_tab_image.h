#pragma once

#include <QImage>
#include <QWidget>

// An image on the tab: shows its last drawing at the top-left corner until it is drawn again.
// Its canvas takes the widget's current size at each drawing, so it grows with the window.
class TemperatureImage : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 450;
    static constexpr int kHeight = 377;

    explicit TemperatureImage(QWidget* parent = nullptr);

    QSize canvasSize() const { return size(); }
    const QImage& image() const { return m_image; }
    void setImage(QImage image);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};
