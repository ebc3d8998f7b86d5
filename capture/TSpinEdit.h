// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QSpinBox>

namespace dravemo {

// A whole-number field with spin arrows that keeps its value in range: a value set by the
// program is clamped to the nearer limit, a typed one when the field loses the focus, and a
// text that is no number reads as the minimum.
class TSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    TSpinEdit(QWidget* parent, int minimum, int maximum, int value);

    // The value the text stands for, within the limits.
    int Value() const;
    // Shows the value, clamped to the limits.
    void SetValue(int value);

protected:
    // A number beyond the limits may be typed in full (it is clamped when the focus leaves);
    // anything else is judged as a spin box judges it.
    QValidator::State validate(QString& input, int& pos) const override;
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace dravemo
