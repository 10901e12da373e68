#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// A spin edit that keeps the text typed: the handlers read its text, so an empty text or a lone "-"
// stay what the user typed. Typing takes only digits and signs, and no number beyond 2147483647. Setting the value from
// code and leaving the field clamp it into the range, unless minimum equals maximum (then any value is taken). Every
// change of the text emits `changed`.
class SpinEdit : public QWidget {
    Q_OBJECT
public:
    explicit SpinEdit(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    // The number in the text, or the minimum when the text is not a number.
    int value() const;
    void setValue(int value);

    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    int step() const { return m_step; }
    void setRange(int minimum, int maximum);
    void setStep(int step) { m_step = step; }

    void stepBy(int steps);
    QLineEdit* lineEdit() const { return m_edit; }

signals:
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int clamp(int value) const;

    QLineEdit* m_edit;
    QToolButton* m_up;
    QToolButton* m_down;
    int m_min = 0;
    int m_max = 0;
    int m_step = 1;
};
