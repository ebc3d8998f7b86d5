// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "platform/linux/RegistryFile.h"
#include "tests/support/TempDir.h"

namespace dravemo {
namespace {

const QString kKey = QStringLiteral("Software\\Orvantel\\Dravemo");

class RegistryFileTest : public ::testing::Test {
protected:
    std::filesystem::path Path() const { return dir / "dravemo" / "registry.reg"; }
    RegistryFile Hive() const { return RegistryFile(QString::fromStdString(Path().string())); }
    test::TempDir dir;
};

TEST_F(RegistryFileTest, WritesTheRegeditLayout) {
    RegistryFile hive = Hive();
    hive.Write(kKey, "area", RegValue::Dword(1));
    hive.Write(kKey, "path", RegValue::String(R"(/home/me/"odd"\Desktop)"));
    hive.Write(kKey, "neg", RegValue::Dword(-2));
    EXPECT_EQ(test::ReadFile(Path()),
              "REGEDIT4\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\Orvantel\\Dravemo]\r\n"
              "\"area\"=dword:00000001\r\n"
              "\"path\"=\"/home/me/\\\"odd\\\"\\\\Desktop\"\r\n"
              "\"neg\"=dword:fffffffe\r\n"
              "\r\n");
    EXPECT_EQ(hive.Read(kKey, "path"), RegValue::String(R"(/home/me/"odd"\Desktop)"));
    EXPECT_EQ(hive.Read(kKey, "neg"), RegValue::Dword(-2));
}

TEST_F(RegistryFileTest, ReadsWhatRegeditAndPeopleWrite) {
    test::WriteFile(Path(),
                    "\xEF\xBB\xBFREGEDIT4\n\n"
                    "[hkey_current_user\\software\\ORVANTEL\\dravemo]\n"
                    "\"Area\" = DWORD:0000000A\n"
                    "\"blob\"=hex:01,02,\\\n"
                    "  03,04\n"
                    "\"exp\"=hex(2):25,00\n"
                    "; a comment\n"
                    "garbage line\n"
                    "@=\"default\"\n");
    RegistryFile hive = Hive();
    EXPECT_EQ(hive.Read(kKey, "area"), RegValue::Dword(10));
    EXPECT_EQ(hive.Read(kKey, "AREA"), RegValue::Dword(10));
    EXPECT_EQ(hive.Read(kKey, "blob")->Kind, RegValue::Type::Other);
    EXPECT_EQ(hive.Read(kKey, ""), RegValue::String("default"));
    EXPECT_FALSE(hive.Read(kKey, "missing"));
    EXPECT_FALSE(hive.Read("Software\\Other", "area"));

    // A rewrite keeps every line it does not understand and every other value.
    hive.Write(kKey, "AREA", RegValue::Dword(3));
    const std::string after = test::ReadFile(Path());
    for (const char* kept : {"\"blob\"=hex:01,02,\\\r\n  03,04\r\n", "\"exp\"=hex(2):25,00\r\n",
                             "; a comment\r\n", "garbage line\r\n", "@=\"default\"\r\n"}) {
        EXPECT_NE(after.find(kept), std::string::npos) << kept;
    }
    EXPECT_NE(after.find("\"AREA\"=dword:00000003\r\n"), std::string::npos);
    EXPECT_EQ(after.find("0000000A"), std::string::npos) << "the old value is replaced in place";
    EXPECT_EQ(hive.Read(kKey, "area"), RegValue::Dword(3));
}

TEST_F(RegistryFileTest, DeleteRemovesOnlyThatValue) {
    RegistryFile hive = Hive();
    hive.Write(kKey, "a", RegValue::Dword(1));
    hive.Write(kKey, "b", RegValue::Dword(2));
    hive.Delete(kKey, "A");
    hive.Delete(kKey, "absent");
    hive.Delete("Software\\Absent", "x");
    EXPECT_FALSE(hive.Read(kKey, "a"));
    EXPECT_EQ(hive.Read(kKey, "b"), RegValue::Dword(2));
}

TEST_F(RegistryFileTest, NothingIsCached) {
    RegistryFile one = Hive();
    RegistryFile two = Hive();
    one.Write(kKey, "x", RegValue::Dword(1));
    EXPECT_EQ(two.Read(kKey, "x"), RegValue::Dword(1));
    two.Write(kKey, "x", RegValue::Dword(2));
    EXPECT_EQ(one.Read(kKey, "x"), RegValue::Dword(2));
}

TEST_F(RegistryFileTest, ATextWithALineBreakIsRefusedAndLosesNothing) {
    RegistryFile hive = Hive();
    hive.Write(kKey, "path", RegValue::String("/ok"));
    EXPECT_ANY_THROW(hive.Write(kKey, "path", RegValue::String("/a\nb")));
    EXPECT_EQ(hive.Read(kKey, "path"), RegValue::String("/ok"));
}

TEST_F(RegistryFileTest, ABrokenFileIsSetAsideAndReadingGoesOn) {
    for (const std::string& content : {std::string("this is not a registry file\n"),
                                       std::string("REGEDIT4\n\"x\"=\xff\xfe bad utf8\n")}) {
        test::WriteFile(Path(), content);
        RegistryFile hive = Hive();
        EXPECT_FALSE(hive.Read(kKey, "area"));
        EXPECT_EQ(test::ReadFile(Path().string() + ".bad"), content);
        hive.Write(kKey, "area", RegValue::Dword(2));
        EXPECT_EQ(hive.Read(kKey, "area"), RegValue::Dword(2));
        std::filesystem::remove(Path());
    }
}

TEST_F(RegistryFileTest, ConcurrentWritersLoseNothing) {
    constexpr int kValues = 1000;
    auto writer = [this](const QString& prefix) {
        RegistryFile hive = Hive();
        for (int i = 0; i < kValues; ++i)
            hive.Write(kKey, prefix + QString::number(i), RegValue::Dword(i));
    };
    std::thread a(writer, QStringLiteral("a"));
    std::thread b(writer, QStringLiteral("b"));
    a.join();
    b.join();
    RegistryFile hive = Hive();
    for (int i = 0; i < kValues; ++i) {
        ASSERT_EQ(hive.Read(kKey, "a" + QString::number(i)), RegValue::Dword(i)) << i;
        ASSERT_EQ(hive.Read(kKey, "b" + QString::number(i)), RegValue::Dword(i)) << i;
    }
    // No temporary file is left behind.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(Path().parent_path())) {
        ++files;
        EXPECT_EQ(entry.path().string().find(".tmp-"), std::string::npos) << entry.path();
    }
    EXPECT_EQ(files, 2);  // the hive and its lock file
}

}  // namespace
}  // namespace dravemo
