// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QDir>
#include <filesystem>

#include "app/OutputFileNaming.h"
#include "tests/support/TempDir.h"

namespace dravemo {
namespace {

class OutputFileNaming : public ::testing::Test {
protected:
    void Touch(const std::string& name) { test::WriteFile(dir / name, "x"); }
    QString Folder() const { return QString::fromStdString(dir.Str()); }
    std::string Next(TNamingScheme scheme, const QString& ext) {
        return std::filesystem::path(NewFilename(Folder(), scheme, ext).toStdString())
            .filename()
            .string();
    }
    test::TempDir dir;
};

TEST_F(OutputFileNaming, EmptyFolderStartsAtOneInBothNumberedSchemes) {
    EXPECT_EQ(Next(TNamingScheme::ContinueNumber, "png"), "D-001.png");
    EXPECT_EQ(Next(TNamingScheme::FirstFreeNumber, "jpg"), "D-001.jpg");
    EXPECT_EQ(NewFilename(Folder(), TNamingScheme::ContinueNumber, "png"), Folder() + "/D-001.png");
}

TEST_F(OutputFileNaming, ContinueAfterHighestOrTakeFirstFree) {
    Touch("D-001.png");
    Touch("D-005.jpg");
    EXPECT_EQ(Next(TNamingScheme::ContinueNumber, "png"), "D-006.png");
    EXPECT_EQ(Next(TNamingScheme::FirstFreeNumber, "png"), "D-002.png");
    // Only a file with the same extension blocks a number.
    EXPECT_EQ(Next(TNamingScheme::FirstFreeNumber, "gif"), "D-001.gif");
}

TEST_F(OutputFileNaming, NumbersGrowPastThreeDigits) {
    Touch("D-999.png");
    EXPECT_EQ(Next(TNamingScheme::ContinueNumber, "png"), "D-1000.png");
    Touch("D-1000.png");
    EXPECT_EQ(LastSequenceNumber(Folder()), 1000);
    EXPECT_EQ(Next(TNamingScheme::ContinueNumber, "png"), "D-1001.png");
}

TEST_F(OutputFileNaming, ScanCountsOnlyNumberedNames) {
    struct Case {
        std::string name;
        int expected;
    };
    const Case cases[] = {
        {"D-12a.png", 0}, {"d-003.png", 0},      {"D-007", 0},
        {"D-.png", 0},    {"D-3.backup.png", 3}, {"D-20261210-101010123.png", 0},
        {"X-900.png", 0}, {"D-042.txt", 42},     {"D--5.png", 0},
        // Temporary files of unfinished writes, hidden and in the visible earlier form.
        {".D-009.png.dravemo-k0nsx26p", 0}, {"D-008.png.tmp-knnsx26p", 0},
    };
    for (const Case& c : cases) {
        test::TempDir one;
        test::WriteFile(one / c.name, "x");
        EXPECT_EQ(LastSequenceNumber(QString::fromStdString(one.Str())), c.expected) << c.name;
    }
}

TEST_F(OutputFileNaming, FoldersNeitherCountNorBlock) {
    std::filesystem::create_directory(dir / "D-050");
    std::filesystem::create_directory(dir / "D-001.png");
    EXPECT_EQ(LastSequenceNumber(Folder()), 0);
    EXPECT_EQ(Next(TNamingScheme::FirstFreeNumber, "png"), "D-001.png");
}

TEST_F(OutputFileNaming, MissingFolderScansAsEmpty) {
    EXPECT_EQ(LastSequenceNumber(Folder() + "/absent"), 0);
}

TEST_F(OutputFileNaming, TimeStampNameAndTheSameMillisecond) {
    const QDateTime at(QDate(2026, 12, 10), QTime(9, 5, 7, 42));
    auto clock = [&] { return at; };
    const QString first = NewFilename(Folder(), TNamingScheme::TimeStamp, "png", clock);
    EXPECT_EQ(first, Folder() + "/D-20261210-090507042.png");
    test::WriteFile(first.toStdString(), "first capture");
    // A second capture in the same millisecond must not replace the first.
    const QString second = NewFilename(Folder(), TNamingScheme::TimeStamp, "png", clock);
    EXPECT_EQ(second, Folder() + "/D-20261210-090507043.png");
    EXPECT_EQ(test::ReadFile(first.toStdString()), "first capture");
    // Another extension in that millisecond is free.
    EXPECT_EQ(NewFilename(Folder(), TNamingScheme::TimeStamp, "jpg", clock),
              Folder() + "/D-20261210-090507042.jpg");
}

TEST_F(OutputFileNaming, JoinPath) {
    EXPECT_EQ(JoinPath("", "D-001.png"), "D-001.png");
    EXPECT_EQ(JoinPath("/a/b", "n"), "/a/b/n");
    EXPECT_EQ(JoinPath("/a/b/", "n"), "/a/b/n");
    EXPECT_EQ(JoinPath("/", "n"), "/n");
}

TEST_F(OutputFileNaming, EmptySaveFolderWritesIntoTheCurrentDirectory) {
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(Folder()));
    Touch("D-004.png");
    EXPECT_EQ(NewFilename("", TNamingScheme::ContinueNumber, "png"), "D-005.png");
    QDir::setCurrent(previous);
}

TEST_F(OutputFileNaming, ControlCharacterInTheFolderIsAClearError) {
    for (const QString& folder : {QStringLiteral("/tmp/a\nb"), QStringLiteral("/tmp/\tx"),
                                  QString(QStringLiteral("/tmp/")) + QChar(0)}) {
        try {
            NewFilename(folder, TNamingScheme::FirstFreeNumber, "png");
            FAIL() << "no error";
        } catch (const InvalidPathError& e) {
            EXPECT_NE(std::string(e.what()).find("control character U+00"), std::string::npos)
                << e.what();
        }
        EXPECT_THROW(NewFilename(folder, TNamingScheme::TimeStamp, "png"), InvalidPathError);
    }
}

}  // namespace
}  // namespace dravemo
