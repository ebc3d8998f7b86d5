// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
// The key names between the hotkey list and the stored keys, and the stored shortcut word.
#include <gtest/gtest.h>

#include <set>

#include "capture/HotKeyNames.h"
#include "capture/ShortcutWord.h"

namespace dravemo {
namespace {

TEST(HotKeyNames, ItemsMapToKeysThroughTheirNames) {
    struct Case {
        const char* item;
        int index;
        int key;
        const char* name;
    };
    const Case cases[] = {
        {"PrintScreen", 0, 0x2C, "Sys Req"},
        {"A", 1, 0x41, "A"},
        {"Z", 26, 0x5A, "Z"},
        {"1", 27, 0x31, "1"},
        {"9", 35, 0x39, "9"},
        {"0", 36, 0x30, "0"},
        {"F1", 37, 0x70, "F1"},
        {"F12", 48, 0x7B, "F12"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        EXPECT_EQ(HotKeyItems().value(c.index), c.item);
        EXPECT_EQ(KeyOfItem(c.item), c.key);
        EXPECT_EQ(ItemOfKey(c.key), c.index);
        EXPECT_EQ(KeyName(c.key), c.name);
    }
    // Delete's name is not written as the item, but matches it without regard to case.
    EXPECT_EQ(HotKeyItems().value(49), "DEL");
    EXPECT_EQ(KeyName(0x2E).compare("DEL", Qt::CaseInsensitive), 0);
    EXPECT_EQ(KeyOfItem("DEL"), 0x2E);
    EXPECT_EQ(ItemOfKey(0x2E), 49);
    EXPECT_EQ(KeyOfName("sys req"), 0x2C);
    EXPECT_EQ(KeyOfName("del"), 0x2E);
}

TEST(HotKeyNames, EveryItemIsADistinctKeyThatSelectsItAgain) {
    ASSERT_EQ(HotKeyItems().size(), 50);
    std::set<int> keys;
    for (int i = 0; i < HotKeyItems().size(); ++i) {
        const int key = KeyOfItem(HotKeyItems()[i]);
        EXPECT_NE(key, 0) << HotKeyItems()[i].toStdString();
        EXPECT_EQ(ItemOfKey(key), i) << HotKeyItems()[i].toStdString();
        keys.insert(key);
    }
    EXPECT_EQ(keys.size(), 50u);
}

TEST(HotKeyNames, KeysAndTextsOutsideTheListHaveNoItem) {
    for (int key : {0, 0x24 /* Home */, 0x7C /* F13 */, 0x61 /* keypad 1 */, 0x12C, -1}) {
        EXPECT_EQ(ItemOfKey(key), -1) << key;
        EXPECT_TRUE(KeyName(key).isEmpty()) << key;
    }
    for (const char* text : {"", "Sys Req", "Home", "F13", "AA"}) {
        EXPECT_EQ(KeyOfItem(text), 0) << text;
    }
}

TEST(ShortcutWord, ModifierBitsAndKeyPart) {
    EXPECT_EQ(shortcut::Make(0x41, true, true, false), 0x6041);
    EXPECT_EQ(shortcut::Make(0x2C, false, false, false), 0x002C);
    EXPECT_EQ(shortcut::Make(0x2E, false, false, true), 0x802E);
    EXPECT_EQ(shortcut::Key(0x6041), 0x41);
    EXPECT_EQ(shortcut::Modifiers(0x6041), hk::CONTROL | hk::SHIFT);
    EXPECT_EQ(shortcut::Modifiers(0x8000), hk::ALT);
    EXPECT_EQ(shortcut::Modifiers(0x002C), 0u);
    // Only the low 16 bits of a stored number count, so hand-edited values stay in range.
    EXPECT_EQ(shortcut::Word(0x1002C), 0x2C);
    EXPECT_EQ(shortcut::Word(-1), 0xFFFF);
    EXPECT_EQ(shortcut::Key(-1), 0x1FFF);
}

}  // namespace
}  // namespace dravemo
