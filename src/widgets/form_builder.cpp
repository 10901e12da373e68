#include "widgets/form_builder.h"

#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace form {

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, bool checked) {
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(QLatin1String(name));
    c->setChecked(checked);
    return c;
}

QRadioButton* radioButton(QWidget* parent, const char* name, const QString& caption, bool checked) {
    auto* r = new QRadioButton(caption, parent);
    r->setObjectName(QLatin1String(name));
    r->setChecked(checked);
    return r;
}

QLabel* label(QWidget* parent, const QString& caption) {
    return new QLabel(caption, parent);
}

QLineEdit* edit(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setAccessibleName(QLatin1String(name));
    return e;
}

SpinEdit* spinEdit(QWidget* parent, const char* name, int minimum, int maximum, int value) {
    auto* s = new SpinEdit(parent);
    s->setObjectName(QLatin1String(name));
    s->lineEdit()->setAccessibleName(QLatin1String(name));
    s->setRange(minimum, maximum);
    s->setValue(value);
    s->setFixedWidth(70);
    return s;
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets) {
    auto* r = new QHBoxLayout;
    for (QWidget* w : widgets)
        r->addWidget(w);
    r->addStretch(1);
    return r;
}

} // namespace form
