// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <random>
#include <stdexcept>

#include "platform/linux/UniqueFd.h"

namespace dravemo {

namespace {

constexpr std::string_view kHiddenMark = ".dravemo-";
constexpr std::string_view kEarlierMark = ".tmp-";
constexpr size_t kSuffixLength = 8;
constexpr size_t kNameMax = 255;

std::runtime_error FileError(const std::string& what, const std::string& path, int error) {
    return std::runtime_error(what + " \"" + path + "\": " + std::strerror(error));
}

std::string RandomSuffix() {
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    static const char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string s;
    for (size_t i = 0; i < kSuffixLength; ++i) s += kDigits[generator() % 36];
    return s;
}

// Whether `name` ends with `mark` and a random suffix, with something before the mark.
bool EndsWithMarkAndSuffix(std::string_view name, std::string_view mark) {
    if (name.size() <= mark.size() + kSuffixLength) return false;
    const std::string_view suffix = name.substr(name.size() - kSuffixLength);
    for (char c : suffix) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'))) return false;
    }
    return name.substr(name.size() - kSuffixLength - mark.size(), mark.size()) == mark;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A fresh hidden name beside `path`; the file name part is cut so that it fits a folder entry.
std::string HiddenPath(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t room = kNameMax - 1 - kHiddenMark.size() - kSuffixLength;
    if (base.size() > room) base.resize(room);
    return folder + "." + base + std::string(kHiddenMark) + RandomSuffix();
}

// Flushes a folder's entries to disk; file systems that cannot flush a folder are let be.
void SyncFolder(const std::string& folder, const std::string& path) {
    UniqueFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.Valid()) throw FileError("Cannot write the file", path, errno);
    if (::fsync(dir.Get()) != 0 && errno != EINVAL && errno != EROFS) {
        throw FileError("Cannot write the file", path, errno);
    }
}

}  // namespace

struct AtomicFile::Impl {
    std::string folder;
    std::string tempPath;  // empty while the file is unnamed
    UniqueFd fd;
    bool committed = false;
};

AtomicFile::AtomicFile(const std::string& path, Method method)
    : FPath(path), FImpl(std::make_unique<Impl>()) {
    FImpl->folder = FolderOf(path);
    // A replaced file keeps its mode; new files get the usual 0666 less the umask.
    struct stat st {};
    const bool replaces = ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
    const mode_t mode = replaces ? (st.st_mode & 07777) : 0666;
    if (method == Method::Unnamed) {
        const int fd = ::open(FImpl->folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
        if (fd >= 0) {
            FImpl->fd = UniqueFd(fd);
        } else if (errno != EOPNOTSUPP && errno != EISDIR) {
            throw FileError("Cannot create the file", path, errno);
        }
    }
    for (int attempt = 0; !FImpl->fd.Valid() && attempt < 16; ++attempt) {
        std::string temp = HiddenPath(path);
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            FImpl->tempPath = std::move(temp);
            FImpl->fd = UniqueFd(fd);
        } else if (errno != EEXIST) {
            throw FileError("Cannot create the file", path, errno);
        }
    }
    if (!FImpl->fd.Valid()) throw FileError("Cannot create the file", path, EEXIST);
    // The umask must not narrow the mode of a file that is replaced.
    if (replaces && ::fchmod(FImpl->fd.Get(), mode) != 0) {
        throw FileError("Cannot create the file", path, errno);
    }
}

AtomicFile::~AtomicFile() {
    if (FImpl->committed) return;
    FImpl->fd.Reset();
    if (!FImpl->tempPath.empty()) ::unlink(FImpl->tempPath.c_str());
}

bool AtomicFile::IsUnnamed() const { return FImpl->fd.Valid() && FImpl->tempPath.empty(); }

void AtomicFile::Write(const void* data, size_t size) {
    const auto* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(FImpl->fd.Get(), p, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw FileError("Cannot write the file", FPath, errno);
        }
        if (n == 0) throw FileError("Cannot write the file", FPath, ENOSPC);
        p += n;
        size -= static_cast<size_t>(n);
    }
}

void AtomicFile::Commit() {
    if (::fsync(FImpl->fd.Get()) != 0) throw FileError("Cannot write the file", FPath, errno);
    if (FImpl->tempPath.empty()) {
        // An unnamed file gets a hidden name first: linking never replaces a file, renaming
        // does. The /proc form works without the privilege the empty-path form needs.
        const std::string self = "/proc/self/fd/" + std::to_string(FImpl->fd.Get());
        for (int attempt = 0; FImpl->tempPath.empty(); ++attempt) {
            std::string hidden = HiddenPath(FPath);
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, hidden.c_str(), AT_SYMLINK_FOLLOW) ==
                0) {
                FImpl->tempPath = std::move(hidden);
            } else if (errno != EEXIST || attempt == 15) {
                throw FileError("Cannot write the file", FPath, errno);
            }
        }
    }
    if (::close(FImpl->fd.Release()) != 0) throw FileError("Cannot write the file", FPath, errno);
    if (::rename(FImpl->tempPath.c_str(), FPath.c_str()) != 0) {
        throw FileError("Cannot replace the file", FPath, errno);
    }
    FImpl->committed = true;
    SyncFolder(FImpl->folder, FPath);
}

bool AtomicFile::IsTemporaryName(std::string_view name) {
    if (name.starts_with('.') && EndsWithMarkAndSuffix(name.substr(1), kHiddenMark)) return true;
    return !name.starts_with('.') && EndsWithMarkAndSuffix(name, kEarlierMark);
}

int AtomicFile::RemoveStaleTemporaries(const std::string& folder, std::chrono::seconds age) {
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
    if (!dir) return 0;
    const int dirFd = ::dirfd(dir.get());
    const time_t now = ::time(nullptr);
    int removed = 0;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        if (!name.starts_with('.') || !IsTemporaryName(name)) continue;
        struct stat st {};
        if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (!S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) continue;
        if (now - st.st_mtime < age.count()) continue;
        if (::unlinkat(dirFd, entry->d_name, 0) == 0) ++removed;
    }
    return removed;
}

}  // namespace dravemo
