#pragma once

#include <QString>
#include <initializer_list>

class QCheckBox;
class QHBoxLayout;
class QPushButton;
class QRadioButton;
class QLabel;
class QLineEdit;
class QWidget;
class SpinEdit;

// Small makers for the controls of the main window and its tabs: each control carries its program
// name as object name, so tests and accessibility tools find it by that name.
namespace form {

template <typename Widget> Widget* named(Widget* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption);
QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, bool checked);
QRadioButton* radioButton(QWidget* parent, const char* name, const QString& caption, bool checked);
QLabel* label(QWidget* parent, const QString& caption);
QLineEdit* edit(QWidget* parent, const char* name);
// A spin edit 70 pixels wide whose text field carries the name for accessibility tools.
SpinEdit* spinEdit(QWidget* parent, const char* name, int minimum, int maximum, int value);
// The widgets side by side from the left, the rest of the line left empty.
QHBoxLayout* row(std::initializer_list<QWidget*> widgets);

} // namespace form
