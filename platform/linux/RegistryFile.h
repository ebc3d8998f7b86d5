// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include "platform/Registry.h"

namespace dravemo {

// The current user's hive kept in one regedit-style text file. Every operation reads the file
// anew; every write rewrites it atomically under an exclusive lock on a companion lock file,
// so concurrent writers (threads or processes) never lose each other's values. A file that is
// not a registry file at all is moved aside as "<file>.bad" and reading goes on from an empty
// hive.
class RegistryFile : public Registry {
public:
    explicit RegistryFile(QString path);
    // ${XDG_CONFIG_HOME:-$HOME/.config}/dravemo/registry.reg
    static QString DefaultPath();

    std::optional<RegValue> Read(const QString& key, const QString& name) override;
    void Write(const QString& key, const QString& name, const RegValue& value) override;
    void Delete(const QString& key, const QString& name) override;

    const QString& Path() const { return FPath; }

private:
    template <typename F>
    void Modify(F change);

    QString FPath;
};

}  // namespace dravemo
