#include "widgets/spin_edit.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValidator>

namespace {

// Typing keeps to what a spin edit takes (digits and signs, as its handlers read them) and to
// digits worth no more than the handlers' 32-bit number: a longer number would make every reader
// of the box fail.
class SpinTextValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        qint64 value = 0;
        for (QChar c : input) {
            if (c == QLatin1Char('-') || c == QLatin1Char('+'))
                continue;
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return Invalid;
            value = value * 10 + (c.unicode() - u'0');
            if (value > 2147483647)
                return Invalid;
        }
        return Acceptable;
    }
};

} // namespace

SpinEdit::SpinEdit(QWidget* parent)
    : QWidget(parent), m_edit(new QLineEdit(this)), m_up(new QToolButton(this)), m_down(new QToolButton(this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(m_edit);
    auto* arrows = new QVBoxLayout;
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {m_up, m_down}) {
        b->setFixedSize(16, 11);
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        arrows->addWidget(b);
    }
    m_up->setAccessibleName(QStringLiteral("Up"));
    m_down->setAccessibleName(QStringLiteral("Down"));
    row->addLayout(arrows);
    m_edit->setText(QStringLiteral("0"));
    m_edit->setValidator(new SpinTextValidator(m_edit));
    m_edit->installEventFilter(this);
    connect(m_edit, &QLineEdit::textChanged, this, &SpinEdit::changed);
    connect(m_up, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { stepBy(-1); });
    setFocusProxy(m_edit);
}

QString SpinEdit::text() const {
    return m_edit->text();
}

void SpinEdit::setText(const QString& text) {
    m_edit->setText(text);
}

int SpinEdit::value() const {
    bool ok = false;
    const int v = m_edit->text().trimmed().toInt(&ok);
    return ok ? v : m_min;
}

int SpinEdit::clamp(int value) const {
    if (m_min == m_max)
        return value;
    return std::max(m_min, std::min(m_max, value));
}

void SpinEdit::setValue(int value) {
    const QString text = QString::number(clamp(value));
    if (text != m_edit->text())
        m_edit->setText(text);
}

void SpinEdit::setRange(int minimum, int maximum) {
    m_min = minimum;
    m_max = maximum;
}

void SpinEdit::stepBy(int steps) {
    setValue(value() + steps * m_step);
}

bool SpinEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit) {
        if (event->type() == QEvent::FocusOut) {
            bool ok = false;
            const int v = m_edit->text().trimmed().toInt(&ok);
            if (ok)
                setValue(v);
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                stepBy(key == Qt::Key_Up ? 1 : -1);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
