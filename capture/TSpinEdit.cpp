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

namespace {

// Whether `text` is an optional minus sign followed by decimal digits only.
bool IsWholeNumber(const QString& text) {
    const qsizetype start = text.startsWith(u'-') ? 1 : 0;
    if (text.size() <= start) return false;
    return std::all_of(text.begin() + start, text.end(),
                       [](QChar c) { return c >= u'0' && c <= u'9'; });
}

}  // namespace

int TSpinEdit::Value() const {
    const QString text = cleanText().trimmed();
    if (!IsWholeNumber(text)) return minimum();
    bool fits = false;
    const qlonglong typed = text.toLongLong(&fits);
    // Too many digits for any integer: beyond the limit on the side of its sign.
    if (!fits) return text.startsWith(u'-') ? minimum() : maximum();
    return static_cast<int>(std::clamp<qlonglong>(typed, minimum(), maximum()));
}

QValidator::State TSpinEdit::validate(QString& input, int& pos) const {
    const QValidator::State state = QSpinBox::validate(input, pos);
    if (state != QValidator::Invalid) return state;
    QString bare = input;
    if (bare.startsWith(prefix())) bare.remove(0, prefix().size());
    if (bare.endsWith(suffix())) bare.chop(suffix().size());
    return IsWholeNumber(bare.trimmed()) ? QValidator::Intermediate : QValidator::Invalid;
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
