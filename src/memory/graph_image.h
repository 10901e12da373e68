#pragma once

#include <QImage>
#include <QWidget>

// An image control: shows an off-screen image that its owner draws; it grows with the window, and
// the owner redraws at the new size.
class GraphImage : public QWidget {
    Q_OBJECT
public:
    GraphImage(QSize designSize, QWidget* parent = nullptr);

    // The off-screen image at the control's current size (reallocated only when that changes).
    QImage& canvas();
    // Shows what was drawn on the canvas.
    void present() { update(); }
    const QImage& image() const { return m_image; }

    QSize sizeHint() const override { return m_designSize; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSize m_designSize;
    QImage m_image;
};
