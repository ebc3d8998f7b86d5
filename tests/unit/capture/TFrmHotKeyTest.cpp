// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
// The hotkey dialog over fake system-wide keys: what it registers at creation, OK, Cancel and
// the other ways out, and which presses reach the capture request.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <fstream>

#include "capture/TFrmHotKey.h"
#include "platform/fake/FakeHotKeys.h"
#include "platform/fake/FakeMessageBoxes.h"
#include "platform/fake/FakeRegistry.h"
#include "services/TConfig.h"
#include "services/Translation.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestApplication.h"

namespace dravemo {
namespace {

const QString kKey = QStringLiteral("Software\\Orvantel\\Dravemo");
constexpr uint32_t kNone = 0;
constexpr uint32_t kPrint = 0x2C;

// The entries of the catalogue that the dialog uses, to see that it translates them.
constexpr const char* kCatalogue =
    "ko=단축키 설정\nen=Hotkey setting\n\n"
    "ko=확인\nen=OK\n\n"
    "ko=단축키가 다른 프로그램에서 사용중입니다.\nen=Using shortcut keys in another program.\n\n"
    "ko=단축키가 설정되지 못해 캡쳐기능이 작동하지 않습니다.\n"
    "en=The capture function does not work because the shortcut key is not set.\n\n"
    "ko=알수없는 프로그램이 단축키를 사용중입니다.\\n\\n단축키를 변경해주세요.\n"
    "en=An unknown program is using the shortcut key.\\n\\nPlease change the shortcut key.\n";

class HotKeyDialog : public ::testing::Test {
protected:
    HotKeyDialog() {
        test::TestApplication();
        const std::string catalogue = (dir / "translate").string();
        std::ofstream(catalogue) << kCatalogue;
        LoadTranslationCatalogue(QString::fromStdString(catalogue));
        SetCurrentLanguage(QStringLiteral("en"));
    }
    ~HotKeyDialog() override {
        dialog.reset();
        ReleaseTranslationCatalogue();
    }
    void Store(int word) {
        registry.Values[FakeRegistry::Id(kKey, "hotkey")] = RegValue::Dword(word);
    }
    std::optional<RegValue> Stored() { return registry.Read(kKey, "hotkey"); }
    void Create() {
        dialog = std::make_unique<TFrmHotKey>(
            nullptr, TFrmHotKey::Ports{registry, kSettingsPath, keys, boxes}, [this] { ++starts; });
    }
    // Opens the dialog as the menu does, without waiting in a modal loop.
    void Open() {
        dialog->show();
        QCoreApplication::processEvents();
    }
    void Choose(const QString& item, bool shift, bool ctrl, bool alt) {
        dialog->ChkHotKey->setCurrentText(item);
        dialog->ChkShift->setChecked(shift);
        dialog->ChkCtrl->setChecked(ctrl);
        dialog->ChkAlt->setChecked(alt);
    }
    std::map<int, FakeHotKeys::Key> Registered(uint32_t modifiers, uint32_t key) const {
        return {{dialog->HotKeyID(), {modifiers, key}}};
    }

    test::TempDir dir;
    FakeRegistry registry;
    FakeHotKeys keys;
    FakeMessageBoxes boxes;
    int starts = 0;
    std::unique_ptr<TFrmHotKey> dialog;
};

TEST_F(HotKeyDialog, FirstStartRegistersPrintScreenAlone) {
    Create();
    EXPECT_EQ(keys.Registered, Registered(kNone, kPrint));
    EXPECT_TRUE(boxes.Boxes.empty());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->ChkHotKey->currentText(), "PrintScreen");
    EXPECT_FALSE(dialog->ChkShift->isChecked() || dialog->ChkCtrl->isChecked() ||
                 dialog->ChkAlt->isChecked());
    EXPECT_FALSE(Stored()) << "nothing is written before OK";
    // Laid out at 96 dpi and translated.
    EXPECT_EQ(dialog->size(), QSize(299, 121));
    EXPECT_EQ(dialog->ChkHotKey->count(), 50);
    EXPECT_EQ(dialog->windowTitle(), "Hotkey setting");
    EXPECT_EQ(dialog->BtnYes->text(), "OK");
}

TEST_F(HotKeyDialog, StoredWordsRegisterAndShowInTheControls) {
    struct Case {
        const char* name;
        std::optional<RegValue> stored;
        uint32_t modifiers, key;
        int item;  // -1: no item selected
        bool shift, ctrl, alt;
    };
    const Case cases[] = {
        {"Ctrl+Shift+A", RegValue::Dword(0x6041), hk::CONTROL | hk::SHIFT, 0x41, 1, true, true,
         false},
        {"Alt+Delete", RegValue::Dword(0x802E), hk::ALT, 0x2E, 49, false, false, true},
        {"F12", RegValue::Dword(0x007B), kNone, 0x7B, 48, false, false, false},
        {"Home, not in the list", RegValue::Dword(0x2024), hk::SHIFT, 0x24, -1, true, false, false},
        {"bits above the word", RegValue::Dword(0x7002C), kNone, kPrint, 0, false, false, false},
        {"stored as text", RegValue::String("65"), kNone, kPrint, 0, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        registry.Values.clear();
        if (c.stored) registry.Values[FakeRegistry::Id(kKey, "hotkey")] = *c.stored;
        Create();
        EXPECT_EQ(keys.Registered, Registered(c.modifiers, c.key));
        EXPECT_EQ(dialog->ChkHotKey->currentIndex(), c.item);
        EXPECT_EQ(dialog->BtnYes->isEnabled(), c.item >= 0);
        EXPECT_EQ(dialog->ChkShift->isChecked(), c.shift);
        EXPECT_EQ(dialog->ChkCtrl->isChecked(), c.ctrl);
        EXPECT_EQ(dialog->ChkAlt->isChecked(), c.alt);
        EXPECT_TRUE(boxes.Boxes.empty());
        dialog.reset();
        EXPECT_TRUE(keys.Registered.empty());
    }
}

TEST_F(HotKeyDialog, OkRegistersSavesAndCloses) {
    Create();
    Open();
    Choose("A", true, true, false);
    EXPECT_EQ(dialog->DialogHotKey(), 0x6041);
    dialog->BtnYes->click();
    EXPECT_EQ(Stored(), RegValue::Dword(0x6041));
    EXPECT_EQ(keys.Registered, Registered(hk::CONTROL | hk::SHIFT, 0x41));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(boxes.Boxes.empty());
}

TEST_F(HotKeyDialog, OkWhenTheSettingCannotBeWrittenStillRegistersTheKey) {
    Create();
    Open();
    registry.FailWrites = true;
    Choose("F5", false, false, true);
    dialog->BtnYes->click();
    EXPECT_EQ(keys.Registered, Registered(hk::ALT, 0x74));
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(HotKeyDialog, OkWithAKeyInUseKeepsTheDialogOpenWithNothingRegistered) {
    // Cancel and the title bar's close button both register the stored key again.
    const std::pair<const char*, std::function<void(TFrmHotKey&)>> exits[] = {
        {"Cancel", [](TFrmHotKey& d) { d.BtnNo->click(); }},
        {"title-bar close", [](TFrmHotKey& d) { d.close(); }},
    };
    keys.Taken.insert({hk::CONTROL | hk::SHIFT, 0x41});
    for (const auto& [name, leave] : exits) {
        SCOPED_TRACE(name);
        boxes.Boxes.clear();
        Create();
        Open();
        Choose("A", true, true, false);
        dialog->BtnYes->click();
        ASSERT_EQ(boxes.Boxes.size(), 1u);
        EXPECT_EQ(boxes.Boxes[0].Title, "Hotkey setting");
        EXPECT_EQ(boxes.Boxes[0].Text, "Using shortcut keys in another program.");
        EXPECT_EQ(boxes.Boxes[0].Flags, 0x50040u);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_TRUE(keys.Registered.empty());
        EXPECT_FALSE(Stored());

        leave(*dialog);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(keys.Registered, Registered(kNone, kPrint));
        EXPECT_EQ(dialog->ChkHotKey->currentText(), "PrintScreen");
        EXPECT_FALSE(dialog->ChkShift->isChecked() || dialog->ChkCtrl->isChecked());
        EXPECT_EQ(boxes.Boxes.size(), 1u);
        dialog.reset();
    }
}

TEST_F(HotKeyDialog, CancelReportsWhenTheStoredKeyIsTakenMeanwhile) {
    Store(0x6041);
    Create();
    Open();
    Choose("B", false, false, false);
    keys.Taken.insert({hk::CONTROL | hk::SHIFT, 0x41});
    dialog->BtnNo->click();
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(boxes.Boxes[0].Title, "Hotkey setting");
    EXPECT_EQ(boxes.Boxes[0].Text,
              "The capture function does not work because the shortcut key is not set.");
    EXPECT_EQ(boxes.Boxes[0].Flags, 0x50010u);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(keys.Registered.empty());
    EXPECT_EQ(dialog->ChkHotKey->currentText(), "A") << "the controls show the stored key again";
    EXPECT_EQ(Stored(), RegValue::Dword(0x6041));
}

TEST_F(HotKeyDialog, OkWithoutAKeyChangesNothing) {
    Store(0x0024);  // Home: registered, but not one of the list's keys
    Create();
    Open();
    EXPECT_FALSE(dialog->BtnYes->isEnabled());
    dialog->ChkCtrl->setChecked(true);
    dialog->BtnYesClick();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(boxes.Boxes.empty());
    EXPECT_EQ(keys.Registered, Registered(kNone, 0x24));
    EXPECT_EQ(Stored(), RegValue::Dword(0x0024));
    Choose("Z", false, true, false);
    EXPECT_TRUE(dialog->BtnYes->isEnabled());
    dialog->BtnYes->click();
    EXPECT_EQ(Stored(), RegValue::Dword(0x405A));
}

TEST_F(HotKeyDialog, KeyInUseAtCreationIsReportedAndTheDialogShownModally) {
    keys.Taken.insert({kNone, kPrint});
    bool modal = false;
    size_t boxesBeforeDialog = 0;
    QTimer::singleShot(0, [&] {
        auto* shown = qobject_cast<TFrmHotKey*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        modal = true;
        boxesBeforeDialog = boxes.Boxes.size();
        shown->ChkHotKey->setCurrentText("B");
        shown->ChkAlt->setChecked(true);
        shown->BtnYes->click();
    });
    Create();
    EXPECT_TRUE(modal);
    EXPECT_EQ(boxesBeforeDialog, 1u);
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(boxes.Boxes[0].Title, "Hotkey setting");
    EXPECT_EQ(boxes.Boxes[0].Text,
              "An unknown program is using the shortcut key.\n\nPlease change the shortcut key.");
    EXPECT_EQ(boxes.Boxes[0].Flags, 0x10u);
    EXPECT_EQ(keys.Registered, Registered(hk::ALT, 0x42));
    EXPECT_EQ(Stored(), RegValue::Dword(0x8042));
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(HotKeyDialog, AKeyLostToAMappingChangeIsReportedAsAtCreation) {
    Create();
    keys.ChangeMapping();
    EXPECT_TRUE(boxes.Boxes.empty()) << "a key registered again is no news";
    EXPECT_EQ(keys.Registered, Registered(kNone, kPrint));

    keys.Taken.insert({kNone, kPrint});
    bool modal = false;
    QTimer::singleShot(0, [&] {
        auto* shown = qobject_cast<TFrmHotKey*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        modal = true;
        EXPECT_TRUE(keys.Registered.empty());
        shown->ChkHotKey->setCurrentText("F12");
        shown->BtnYes->click();
    });
    keys.ChangeMapping();
    EXPECT_TRUE(modal);
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(boxes.Boxes[0].Text,
              "An unknown program is using the shortcut key.\n\nPlease change the shortcut key.");
    EXPECT_EQ(boxes.Boxes[0].Flags, 0x10u);
    EXPECT_EQ(keys.Registered, Registered(kNone, 0x7B));
    EXPECT_EQ(Stored(), RegValue::Dword(0x007B));
    dialog.reset();
    EXPECT_FALSE(keys.HasLostHandler());
}

TEST_F(HotKeyDialog, OnlyItsOwnKeyStartsACaptureUntilItGoes) {
    Create();
    keys.Press(dialog->HotKeyID());
    EXPECT_EQ(starts, 1);
    keys.Press(dialog->HotKeyID() + 1);
    EXPECT_EQ(starts, 1) << "another identifier";
    const int id = dialog->HotKeyID();
    EXPECT_TRUE(keys.Identifiers.count(id));
    dialog.reset();
    EXPECT_TRUE(keys.Registered.empty());
    EXPECT_FALSE(keys.Identifiers.count(id));
    EXPECT_FALSE(keys.HasHandler());
    keys.Press(id);
    EXPECT_EQ(starts, 1);
}

}  // namespace
}  // namespace dravemo
