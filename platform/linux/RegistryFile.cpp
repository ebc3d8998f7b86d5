// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/linux/RegistryFile.h"

#include <fcntl.h>
#include <sys/file.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "platform/AtomicFile.h"
#include "platform/linux/RegistryDocument.h"
#include "platform/linux/UniqueFd.h"

namespace dravemo {

namespace {

// Holds an exclusive flock on the hive's companion lock file.
class HiveLock {
public:
    explicit HiveLock(const QString& hivePath) {
        const QByteArray lockPath = (hivePath + QStringLiteral(".lock")).toUtf8();
        FFd = UniqueFd(::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
        if (!FFd.Valid()) {
            throw std::runtime_error("Cannot open the settings lock \"" + lockPath.toStdString() +
                                     "\": " + std::strerror(errno));
        }
        while (::flock(FFd.Get(), LOCK_EX) != 0) {
            if (errno != EINTR) {
                throw std::runtime_error("Cannot lock the settings: " +
                                         std::string(std::strerror(errno)));
            }
        }
    }

private:
    UniqueFd FFd;  // closing the descriptor releases the lock
};

std::optional<QByteArray> ReadWhole(const QString& path) {
    QFile file(path);
    if (!file.exists()) return QByteArray();
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return file.readAll();
}

// Loads the hive; a file that is not a registry file is moved aside (the caller holds the
// lock) and an empty hive is returned.
RegistryDocument LoadOrSetAside(const QString& path) {
    const auto content = ReadWhole(path);
    if (!content) {
        throw std::runtime_error("Cannot read the settings file \"" + path.toStdString() + "\"");
    }
    if (auto doc = RegistryDocument::Parse(*content)) return std::move(*doc);
    const QString bad = path + QStringLiteral(".bad");
    QFile::remove(bad);
    QFile::rename(path, bad);
    return *RegistryDocument::Parse(QByteArray());
}

}  // namespace

RegistryFile::RegistryFile(QString path) : FPath(std::move(path)) {}

QString RegistryFile::DefaultPath() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty()) config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/dravemo/registry.reg");
}

std::optional<RegValue> RegistryFile::Read(const QString& key, const QString& name) {
    // Writers replace the file by renaming, so a plain read always sees a whole file.
    const auto content = ReadWhole(FPath);
    if (!content) return std::nullopt;
    if (auto doc = RegistryDocument::Parse(*content)) return doc->Read(key, name);
    try {
        QDir().mkpath(QFileInfo(FPath).absolutePath());
        HiveLock lock(FPath);
        return LoadOrSetAside(FPath).Read(key, name);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

template <typename F>
void RegistryFile::Modify(F change) {
    const QString folder = QFileInfo(FPath).absolutePath();
    if (!QDir().mkpath(folder)) {
        throw std::runtime_error("Cannot create the settings folder \"" + folder.toStdString() +
                                 "\"");
    }
    HiveLock lock(FPath);
    RegistryDocument doc = LoadOrSetAside(FPath);
    change(doc);
    AtomicFile file(FPath.toStdString());
    file.Write(doc.Serialize().toStdString());
    file.Commit();
}

void RegistryFile::Write(const QString& key, const QString& name, const RegValue& value) {
    Modify([&](RegistryDocument& doc) { doc.Write(key, name, value); });
}

void RegistryFile::Delete(const QString& key, const QString& name) {
    if (!Read(key, name)) return;
    Modify([&](RegistryDocument& doc) { doc.Delete(key, name); });
}

}  // namespace dravemo
