// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "platform/linux/LocaleCharset.h"

namespace dravemo {
namespace {

TEST(LocaleCharset, SingleByteSetConvertsBothWays) {
    const LocaleCharset latin1("ISO-8859-1");
    EXPECT_EQ(latin1.Decode(QByteArray("caf\xE9")), QString::fromUtf8("café"));
    EXPECT_EQ(latin1.Encode(QString::fromUtf8("café")), QByteArray("caf\xE9"));
}

TEST(LocaleCharset, WhatTheSetCannotHoldIsReplacedNotDropped) {
    const LocaleCharset ascii("ASCII");
    EXPECT_EQ(ascii.Decode(QByteArray("a\xC3\xA9z")), QString::fromUtf8("a\uFFFD\uFFFDz"));
    EXPECT_EQ(ascii.Encode(QString::fromUtf8("a€z한")), QByteArray("a?z?"));
}

TEST(LocaleCharset, Utf8PassesThroughAndMarksBrokenBytes) {
    const LocaleCharset utf8("UTF-8");
    EXPECT_EQ(utf8.Decode(QByteArray("\xED\x95\x9C")), QString::fromUtf8("한"));
    EXPECT_EQ(utf8.Decode(QByteArray("a\xFF")), QString::fromUtf8("a\uFFFD"));
    EXPECT_TRUE(utf8.Encode(QString()).isEmpty());
}

}  // namespace
}  // namespace dravemo
