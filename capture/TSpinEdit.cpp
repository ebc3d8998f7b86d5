// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "capture/TSpinEdit.h"

#include <QLineEdit>
#include <algorithm>

namespace dravemo {

TSpinEdit::TSpinEdit(QWidget* parent, int minimum, int maximum, int value) : QSpinBox(parent) {
    setRange(minimum, maximum);
    setSingleStep(1);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    SetValue(value);
}

int TSpinEdit::Value() const {
    bool number = false;
    const qlonglong typed = cleanText().trimmed().toLongLong(&number);
    if (!number) return minimum();
    return static_cast<int>(std::clamp<qlonglong>(typed, minimum(), maximum()));
}

void TSpinEdit::SetValue(int value) {
    setValue(value);
    // The same value with another text still shows the value.
    const QString shown = textFromValue(this->value());
    if (lineEdit()->text() != shown) lineEdit()->setText(shown);
}

void TSpinEdit::focusOutEvent(QFocusEvent* event) {
    SetValue(Value());
    QSpinBox::focusOutEvent(event);
}

}  // namespace dravemo
