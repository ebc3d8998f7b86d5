// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QString>
#include <functional>
#include <stdexcept>

namespace dravemo {

// The naming schemes of the "파일명 설정" menu, by the digit stored in the setting "append".
enum class TNamingScheme {
    ContinueNumber = 1,   // ChkAppend1: after the highest number in the folder
    TimeStamp = 2,        // ChkAppend2: local date and time
    FirstFreeNumber = 3,  // ChkAppend3: first free number from 1
};

// A save folder text that cannot be a path.
class InvalidPathError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Joins a folder and a file name: an empty folder gives the bare name (relative to the
// current directory), otherwise one separator between them unless the folder ends with one.
// Throws InvalidPathError when the folder holds a control character.
QString JoinPath(const QString& folder, const QString& name);

// The highest number of a numbered name ("D-<number>.<anything>") among the folder's entries
// that are not folders, temporary files of unfinished writes left out; 0 when there is none
// or the folder cannot be listed.
int LastSequenceNumber(const QString& folder);

// The full path of the next output file in `folder` with extension `ext` (no dot). Numbered
// names are "D-" and at least three digits; time-stamp names "D-yyyymmdd-hhmmsszzz". A
// time-stamp name that is taken moves on to the next free millisecond, so that two captures
// in the same millisecond do not overwrite each other.
QString NewFilename(const QString& folder, TNamingScheme scheme, const QString& ext,
                    const std::function<QDateTime()>& now = &QDateTime::currentDateTime);

}  // namespace dravemo
