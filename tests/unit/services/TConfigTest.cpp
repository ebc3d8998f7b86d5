// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "platform/fake/FakeRegistry.h"
#include "platform/linux/RegistryFile.h"
#include "services/TConfig.h"
#include "tests/support/TempDir.h"

namespace dravemo {
namespace {

class TConfigTest : public ::testing::Test {
protected:
    test::TempDir dir;
    RegistryFile hive{QString::fromStdString((dir / "registry.reg").string())};
};

TEST_F(TConfigTest, TypesRoundTripThroughTheFile) {
    TConfig config(hive, kSettingsPath);
    EXPECT_EQ(config.WriteBoolean("mouse", false), false);
    EXPECT_EQ(config.WriteInteger("left", -120), -120);
    EXPECT_EQ(config.WriteString("path", "/home/u/사진"), "/home/u/사진");
    TConfig again(hive, kSettingsPath);
    EXPECT_FALSE(again.ReadBoolean("mouse", true));
    EXPECT_EQ(again.ReadInteger("left", 0), -120);
    EXPECT_EQ(again.ReadString("path", ""), "/home/u/사진");
    EXPECT_EQ(hive.Read("Software\\Orvantel\\Dravemo", "mouse"), RegValue::Dword(0));
}

TEST_F(TConfigTest, AbsentValuesGiveTheDefault) {
    TConfig config(hive, kSettingsPath);
    EXPECT_TRUE(config.ReadBoolean("mouse", true));
    EXPECT_EQ(config.ReadInteger("width", 480), 480);
    EXPECT_EQ(config.ReadString("language", "ko"), "ko");
}

TEST_F(TConfigTest, AValueOfTheWrongTypeCountsAsAbsent) {
    test::WriteFile(dir / "registry.reg",
                    "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Orvantel\\Dravemo]\r\n"
                    "\"area\"=\"3\"\r\n\"language\"=dword:00000001\r\n"
                    "\"mouse\"=hex:01\r\n\"sound\"=dword:00000007\r\n");
    TConfig config(hive, kSettingsPath);
    EXPECT_EQ(config.ReadInteger("area", 0), 0);
    EXPECT_EQ(config.ReadString("language", "en"), "en");
    EXPECT_TRUE(config.ReadBoolean("mouse", true));
    // Any non-zero number reads as true.
    EXPECT_TRUE(config.ReadBoolean("sound", false));
    EXPECT_TRUE(config.ValueExists("AREA"));
}

TEST(TConfig, WriteErrorsAreSwallowed) {
    FakeRegistry registry;
    registry.FailWrites = true;
    TConfig config(registry, kSettingsPath);
    EXPECT_EQ(config.WriteInteger("area", 3), 3);
    EXPECT_EQ(config.WriteString("path", "/x"), "/x");
    EXPECT_FALSE(config.DeleteValue("area"));
    EXPECT_EQ(config.ReadInteger("area", 0), 0);
}

}  // namespace
}  // namespace dravemo
