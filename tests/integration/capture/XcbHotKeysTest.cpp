// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
// System-wide keys on a real X server: presses in every lock state, modifiers, and keys that
// another X client holds in whole or in part.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <vector>

#include "platform/linux/XcbHotKeys.h"
#include "tests/support/KeyGrabbingClient.h"
#include "tests/support/TestApplication.h"
#include "tests/support/VirtualDisplay.h"

namespace dravemo {
namespace {

using test::KeyGrabbingClient;
constexpr uint32_t kPrint = 0x2C;
constexpr uint16_t kCapsLock = XCB_MOD_MASK_LOCK;

class XcbHotKeysTest : public ::testing::Test {
protected:
    XcbHotKeysTest() {
        keys.SetPressHandler([this](int id) { presses.push_back(id); });
    }
    void Key(const char* key) { test::Run({"xdotool", "key", key}, display.Env()); }
    // Runs the event loop until `count` presses have arrived in all.
    bool PressesArrive(size_t count) {
        return test::WaitUntil([&] {
            QCoreApplication::processEvents();
            return presses.size() >= count;
        });
    }

    // The application first: the adapter watches its connection with the event loop.
    QApplication& application = test::TestApplication();
    test::VirtualDisplay display{"640x480x24", false};
    XcbHotKeys keys{display.Name()};
    KeyGrabbingClient other{display.Name()};
    std::vector<int> presses;
};

TEST_F(XcbHotKeysTest, PrintReachesTheHandlerWhateverTheLocks) {
    const int id = keys.AddIdentifier();
    ASSERT_TRUE(keys.Register(id, 0, kPrint));
    struct Case {
        const char* name;
        std::vector<const char*> toggles;
    };
    const Case cases[] = {{"no lock", {}},
                          {"CapsLock", {"Caps_Lock"}},
                          {"NumLock", {"Num_Lock"}},
                          {"CapsLock and NumLock", {"Caps_Lock", "Num_Lock"}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* toggle : c.toggles) Key(toggle);
        const size_t before = presses.size();
        Key("Print");
        ASSERT_TRUE(PressesArrive(before + 1));
        EXPECT_EQ(presses.back(), id);
        for (const char* toggle : c.toggles) Key(toggle);
    }
}

TEST_F(XcbHotKeysTest, ModifiersMustBeHeldExactly) {
    const int id = keys.AddIdentifier();
    ASSERT_TRUE(keys.Register(id, hk::CONTROL | hk::SHIFT, 'A'));
    // The same letter without the modifiers, or with one of them, is not the hotkey; presses
    // arrive in order, so anything they caused would come before the real one.
    Key("a");
    Key("ctrl+a");
    Key("ctrl+shift+a");
    ASSERT_TRUE(PressesArrive(1));
    QCoreApplication::processEvents();
    EXPECT_EQ(presses, std::vector<int>{id});
}

TEST_F(XcbHotKeysTest, AKeyAnotherClientHoldsInWholeOrInPartIsInUse) {
    const std::vector<xcb_keycode_t> print = other.Keycodes(XK_Print);
    ASSERT_FALSE(print.empty());
    struct Case {
        const char* name;
        std::function<void()> grab;
    };
    const Case cases[] = {
        {"every lock state",
         [&] {
             ASSERT_EQ(other.GrabInEveryLockState(print, 0), 4 * static_cast<int>(print.size()));
         }},
        {"with CapsLock only", [&] { ASSERT_TRUE(other.Grab(print.front(), kCapsLock)); }},
        {"its second keycode only", [&] { ASSERT_TRUE(other.Grab(print.back(), 0)); }},
    };
    const int id = keys.AddIdentifier();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.grab();
        EXPECT_FALSE(keys.Register(id, 0, kPrint));
        // What was granted before the refusal has been given back: the other client now gets
        // every grab.
        EXPECT_EQ(other.GrabInEveryLockState(print, 0), 4 * static_cast<int>(print.size()));
        other.UngrabAll();
    }
    EXPECT_TRUE(keys.Register(id, 0, kPrint)) << "free again";
}

TEST_F(XcbHotKeysTest, UnregisterGivesTheKeyBack) {
    const std::vector<xcb_keycode_t> a = other.Keycodes(XK_a);
    const int id = keys.AddIdentifier();
    ASSERT_TRUE(keys.Register(id, hk::ALT, 'A'));
    EXPECT_EQ(other.GrabInEveryLockState(a, XCB_MOD_MASK_1), 0);
    keys.Unregister(id);
    EXPECT_EQ(other.GrabInEveryLockState(a, XCB_MOD_MASK_1), 4 * static_cast<int>(a.size()));
    other.UngrabAll();
    // Giving the identifier back releases its key as well.
    ASSERT_TRUE(keys.Register(id, hk::ALT, 'A'));
    keys.DeleteIdentifier(id);
    EXPECT_EQ(other.GrabInEveryLockState(a, XCB_MOD_MASK_1), 4 * static_cast<int>(a.size()));
}

TEST_F(XcbHotKeysTest, OneKeyServesOneIdentifier) {
    const int first = keys.AddIdentifier();
    const int second = keys.AddIdentifier();
    EXPECT_NE(first, second);
    EXPECT_NE(first, 0);
    ASSERT_TRUE(keys.Register(first, 0, 0x7B));  // F12
    EXPECT_FALSE(keys.Register(second, 0, 0x7B));
    keys.Unregister(second);
    Key("F12");
    ASSERT_TRUE(PressesArrive(1));
    EXPECT_EQ(presses, std::vector<int>{first});
}

// F11 and F12 trade keycodes, as xmodmap does when the user changes the keyboard layout.
class XcbHotKeysRemapTest : public XcbHotKeysTest {
protected:
    XcbHotKeysRemapTest() {
        keys.SetLostHandler([this](int id) { lost.push_back(id); });
    }
    void SwapF11AndF12() {
        const auto result = test::Run({"xmodmap", "-e", "keycode " + std::to_string(f11) + " = F12",
                                       "-e", "keycode " + std::to_string(f12) + " = F11"},
                                      display.Env());
        ASSERT_EQ(result.Exit, 0) << result.Output;
        ASSERT_EQ(other.Keycodes(XK_F12), std::vector<xcb_keycode_t>{f11});
    }
    const xcb_keycode_t f11 = other.Keycodes(XK_F11).at(0);
    const xcb_keycode_t f12 = other.Keycodes(XK_F12).at(0);
    std::vector<int> lost;
};

TEST_F(XcbHotKeysRemapTest, AKeyFollowsItsNewKeycodesAndFreesTheOldOnes) {
    const int id = keys.AddIdentifier();
    ASSERT_TRUE(keys.Register(id, hk::CONTROL, 0x7B));  // Ctrl+F12
    SwapF11AndF12();
    // A press sent before the adapter read the change goes elsewhere: press until one arrives.
    ASSERT_TRUE(test::WaitUntil([&] {
        Key("ctrl+F12");
        QCoreApplication::processEvents();
        return !presses.empty();
    }));
    EXPECT_EQ(presses.front(), id);
    EXPECT_TRUE(lost.empty());
    EXPECT_EQ(other.GrabInEveryLockState({f11}, XCB_MOD_MASK_CONTROL), 0) << "F12 is held";
    EXPECT_EQ(other.GrabInEveryLockState({f12}, XCB_MOD_MASK_CONTROL), 4) << "F11 is free";
}

TEST_F(XcbHotKeysRemapTest, AKeyWhoseNewKeycodeIsHeldElsewhereIsLost) {
    const int kept = keys.AddIdentifier();
    const int gone = keys.AddIdentifier();
    ASSERT_TRUE(keys.Register(kept, 0, 'A'));
    ASSERT_TRUE(keys.Register(gone, 0, 0x7B));  // F12
    ASSERT_TRUE(other.Grab(f11, XCB_MOD_MASK_LOCK));
    SwapF11AndF12();
    ASSERT_TRUE(test::WaitUntil([&] {
        QCoreApplication::processEvents();
        return !lost.empty();
    }));
    EXPECT_EQ(lost, std::vector<int>{gone});
    // Nothing of the lost key stays grabbed, and the other key still works.
    other.UngrabAll();
    EXPECT_EQ(other.GrabInEveryLockState({f11, f12}, 0), 8);
    Key("a");
    ASSERT_TRUE(PressesArrive(1));
    EXPECT_EQ(presses, std::vector<int>{kept});
}

TEST_F(XcbHotKeysTest, KeysWithoutACounterpartAreRefused) {
    const int id = keys.AddIdentifier();
    for (uint32_t key : {0x00u, 0xFFu, 0x12Cu, 0x1FFFu}) {
        EXPECT_FALSE(keys.Register(id, 0, key)) << key;
    }
}

TEST(XcbHotKeys, MissingDisplayIsReportedAtCreation) {
    test::TestApplication();
    try {
        XcbHotKeys keys(":65000");
        FAIL() << "opened a display that does not exist";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(":65000"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace dravemo
