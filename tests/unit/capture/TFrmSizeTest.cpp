// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <tuple>
#include <vector>

#include "capture/TFrmSize.h"
#include "tests/support/TestApplication.h"
#include "tests/unit/capture/MemorySettings.h"

namespace dravemo {
namespace {

class SizeDialog : public ::testing::Test {
protected:
    SizeDialog() { test::TestApplication(); }
    std::unique_ptr<TFrmSize> Create() {
        auto dialog = std::make_unique<TFrmSize>(settings);
        QObject::connect(dialog.get(), &TFrmSize::SizeApplied,
                         [this](int w, int h, int n) { applied.emplace_back(w, h, n); });
        return dialog;
    }
    static void Type(TSpinEdit* field, const QString& text) {
        field->findChild<QLineEdit*>()->selectAll();
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(field, &press);
        }
    }
    static void LeaveField(TSpinEdit* field) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(field, &out);
    }

    test::MemorySettings settings;
    std::vector<std::tuple<int, int, int>> applied;
};

const QStringList kSavedOrder = {"width_1",  "width_2",  "width_3",
                                 "height_1", "height_2", "height_3"};

TEST_F(SizeDialog, CreationReadsTheCustomSizesWidthsFirst) {
    auto fresh = Create();
    EXPECT_EQ(settings.Reads, kSavedOrder);
    const int defaults[4][2] = {{64, 64}, {320, 240}, {640, 480}, {720, 480}};
    for (int n = 0; n <= 3; ++n) {
        EXPECT_EQ(fresh->WidthField(n)->Value(), defaults[n][0]) << n;
        EXPECT_EQ(fresh->HeightField(n)->Value(), defaults[n][1]) << n;
    }
    EXPECT_EQ(fresh->size(), QSize(386, 330));
    EXPECT_TRUE(fresh->windowFlags() & Qt::WindowStaysOnTopHint);

    settings.Values = {{"width_2", 800}, {"height_3", 12}, {"width_1", 20000}};
    auto stored = Create();
    EXPECT_EQ(stored->WidthField(2)->Value(), 800);
    EXPECT_EQ(stored->HeightField(3)->Value(), 64) << "a stored value outside the range is clamped";
    EXPECT_EQ(stored->WidthField(1)->Value(), 9999);
    EXPECT_EQ(stored->WidthField(4), nullptr);
}

TEST_F(SizeDialog, FieldsClampWhenSetWhenLeftAndReadNonNumbersAsTheMinimum) {
    auto dialog = Create();
    TSpinEdit* field = dialog->WidthField(1);
    for (auto [set, shown] :
         {std::pair{10, 64}, {-5, 64}, {64, 64}, {9999, 9999}, {10000, 9999}, {500, 500}}) {
        field->SetValue(set);
        EXPECT_EQ(field->Value(), shown) << set;
        EXPECT_EQ(field->text(), QString::number(shown)) << set;
    }
    // Typed outside the range: held as typed, every digit, until the focus leaves.
    for (auto [typed, left] : {std::pair{"10", "64"},
                               {"12345", "9999"},
                               {"10000", "9999"},
                               {"99999999999999999999", "9999"}}) {
        Type(field, QString::fromUtf8(typed));
        EXPECT_EQ(field->text(), QString::fromUtf8(typed));
        LeaveField(field);
        EXPECT_EQ(field->text(), QString::fromUtf8(left)) << typed;
        EXPECT_EQ(field->Value(), field->text().toInt()) << typed;
    }
    // Texts that are no number.
    for (const char* text : {"", "abc", "12x"}) {
        field->findChild<QLineEdit*>()->setText(QString::fromUtf8(text));
        EXPECT_EQ(field->Value(), 64) << text;
        LeaveField(field);
        EXPECT_EQ(field->text(), "64") << text;
    }
}

TEST_F(SizeDialog, ApplyingAppliesTheClampedFieldsAndSavesAllCustomSizes) {
    auto dialog = Create();
    Type(dialog->WidthField(2), "10");
    dialog->HeightField(2)->SetValue(300);
    settings.Writes.clear();
    dialog->ApplyButton(2)->click();
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0], std::make_tuple(64, 300, 2));
    EXPECT_EQ(dialog->WidthField(2)->text(), "64");
    EXPECT_EQ(settings.Writes, kSavedOrder);
    EXPECT_EQ(settings.Value("width_2"), 64);
    EXPECT_EQ(settings.Value("height_2"), 300);
    EXPECT_EQ(settings.Value("width_1"), 320);

    // The current size is applied as size number 0 and is not stored.
    dialog->EditWidth->SetValue(700);
    dialog->EditHeight->SetValue(500);
    dialog->BtnApply->click();
    EXPECT_EQ(applied.back(), std::make_tuple(700, 500, 0));
    EXPECT_FALSE(settings.Has("width")) << "the frame stores its own size";
}

}  // namespace
}  // namespace dravemo
