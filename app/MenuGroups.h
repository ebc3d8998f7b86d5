// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

namespace dravemo {

// The radio-like groups of the main window's popup menu: each item carries its value at the
// end of its name.
namespace menu_groups {

// The interface languages in menu order; item i of kLanguageItems selects code i.
inline const QStringList kLanguageCodes = {
    QStringLiteral("ko"), QStringLiteral("en"), QStringLiteral("ja"), QStringLiteral("ru"),
    QStringLiteral("it"), QStringLiteral("fr"), QStringLiteral("zh")};
inline const QStringList kLanguageItems = {QStringLiteral("ChkLangKo"), QStringLiteral("ChkLangEn"),
                                           QStringLiteral("ChkLangJa"), QStringLiteral("ChkLangRu"),
                                           QStringLiteral("ChkLangIt"), QStringLiteral("ChkLangFr"),
                                           QStringLiteral("ChkLangZh")};
inline const QStringList kAppendItems = {QStringLiteral("ChkAppend1"), QStringLiteral("ChkAppend2"),
                                         QStringLiteral("ChkAppend3")};
inline const QStringList kSoundItems = {QStringLiteral("ChkSound1"), QStringLiteral("ChkSound2"),
                                        QStringLiteral("ChkSound3")};
inline const QStringList kLimitItems = {
    QStringLiteral("ChkRecLimit0"), QStringLiteral("ChkRecLimit30"),
    QStringLiteral("ChkRecLimit60"), QStringLiteral("ChkRecLimit120"),
    QStringLiteral("ChkRecLimit240")};

}  // namespace menu_groups
}  // namespace dravemo
