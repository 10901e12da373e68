#pragma once

#include <QString>

class QCheckBox;
class QPushButton;
class QRadioButton;
class QLabel;
class QLineEdit;
class QWidget;
class SpinEdit;

// Small makers for the main window's controls: each control carries its program name as object
// name, so tests and accessibility tools find it by that name.
namespace form {

QPushButton* button(QWidget* parent, const char* name, const QString& caption);
QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, bool checked);
QRadioButton* radioButton(QWidget* parent, const char* name, const QString& caption, bool checked);
QLabel* label(QWidget* parent, const QString& caption);
QLineEdit* edit(QWidget* parent, const char* name);
SpinEdit* spinEdit(QWidget* parent, const char* name, int minimum, int maximum, int value);

} // namespace form
