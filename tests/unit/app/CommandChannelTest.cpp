// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "app/CommandChannel.h"

namespace dravemo {
namespace {

// The block a sender passes: UTF-16LE text and a terminating NUL.
QByteArray Block(const QString& text, bool terminated = true) {
    QByteArray bytes;
    for (QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    if (terminated) bytes.append(2, '\0');
    return bytes;
}

struct Counts {
    int about = 0;
    int capture = 0;
    CommandActions Actions() {
        return {[this] { ++about; }, [this] { ++capture; }};
    }
};

struct Case {
    const char* name;
    uint32_t dwData;
    QByteArray block;
    int32_t result;
    int about;
    int capture;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class CommandChannelCases : public ::testing::TestWithParam<Case> {};

TEST_P(CommandChannelCases, AnswersAndActs) {
    const Case& c = GetParam();
    Counts counts;
    EXPECT_EQ(HandleCopyData(c.dwData, c.block, counts.Actions()), c.result);
    EXPECT_EQ(counts.about, c.about);
    EXPECT_EQ(counts.capture, c.capture);
}

const QString kCapture = QStringLiteral(R"({"command":"capture"})");

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandChannelCases,
    ::testing::Values(
        Case{"Capture", 1, Block(kCapture), 1, 0, 1},
        Case{"OtherDwDataIgnored", 2, Block(kCapture), 0, 0, 0},
        Case{"CaseSensitive", 1, Block(R"({"command":"Capture"})"), 0, 0, 0},
        Case{"AboutWithFurtherMembers", 1, Block(R"({"x":[1,2],"command":"about","y":{"z":null}})"),
             1, 1, 0},
        Case{"NoCommandMember", 1, Block(R"({"cmd":"capture"})"), 0, 0, 0},
        Case{"EmptyObject", 1, Block("{}"), 0, 0, 0},
        Case{"BareWord", 1, Block("capture"), 0, 0, 0},
        Case{"Array", 1, Block(R"(["capture"])"), 0, 0, 0},
        Case{"CommandNotText", 1, Block(R"({"command":["capture"]})"), 0, 0, 0},
        Case{"CommandNull", 1, Block(R"({"command":null})"), 0, 0, 0},
        Case{"UnknownCommand", 1, Block(R"({"command":"format"})"), 0, 0, 0},
        Case{"EmptyBlock", 1, QByteArray(), 0, 0, 0},
        Case{"OddByte", 1, QByteArray("{", 1), 0, 0, 0},
        Case{"BrokenJson", 1, Block(R"({"command":"capture")"), 0, 0, 0},
        Case{"InvalidUtf16", 1, QByteArray("\x00\xD8\x00\xD8", 4), 0, 0, 0},
        // Text after the first NUL is not part of the command.
        Case{"StopsAtNul", 1, Block(kCapture) + Block(R"(garbage)"), 1, 0, 1},
        Case{"NulInsideTheObject", 1, Block(R"({"command":"capture")") + Block("}"), 0, 0, 0},
        // A block without its NUL is read only up to its declared size.
        Case{"WithoutTerminator", 1, Block(kCapture, false), 1, 0, 1},
        Case{"WithoutTerminatorCutShort", 1, Block(kCapture, false).left(20), 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommandChannel, DeeplyNestedInputIsRefusedWithoutHarm) {
    QString nested = QStringLiteral(R"({"command":"capture","x":)");
    nested += QString(20000, u'[') + QString(20000, u']') + u'}';
    Counts counts;
    EXPECT_EQ(HandleCopyData(1, Block(nested), counts.Actions()), 1);
    EXPECT_EQ(HandleCopyData(1, Block(QString(30000, u'[')), counts.Actions()), 0);
}

TEST(CommandChannel, ReadJsonText) {
    const auto object = nlohmann::json::parse(R"({"a":"x","n":5,"o":{"b":"y"},"z":null})");
    QString text;
    EXPECT_TRUE(ReadJsonText(object, "a", text));
    EXPECT_EQ(text, "x");
    EXPECT_TRUE(ReadJsonText(object, "n", text));
    EXPECT_EQ(text, "5");
    EXPECT_TRUE(ReadJsonText(object, "o.b", text));
    EXPECT_EQ(text, "y");
    for (const char* missing : {"z", "o", "missing", "a.b", ""}) {
        EXPECT_FALSE(ReadJsonText(object, missing, text)) << missing;
        EXPECT_TRUE(text.isEmpty());
    }
}

}  // namespace
}  // namespace dravemo
