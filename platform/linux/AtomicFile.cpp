// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <stdexcept>

#include "platform/linux/UniqueFd.h"

namespace dravemo {

namespace {

std::runtime_error FileError(const std::string& what, const std::string& path, int error) {
    return std::runtime_error(what + " \"" + path + "\": " + std::strerror(error));
}

std::string RandomSuffix() {
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    static const char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string s;
    for (int i = 0; i < 8; ++i) s += kDigits[generator() % 36];
    return s;
}

}  // namespace

struct AtomicFile::Impl {
    std::string tempPath;
    UniqueFd fd;
    bool committed = false;
};

AtomicFile::AtomicFile(const std::string& path) : FPath(path), FImpl(std::make_unique<Impl>()) {
    // Keep the mode of a file that is replaced; new files get the usual 0666 less the umask.
    mode_t mode = 0666;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) mode = st.st_mode & 07777;
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::string temp = path + ".tmp-" + RandomSuffix();
        int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            FImpl->tempPath = std::move(temp);
            FImpl->fd = UniqueFd(fd);
            return;
        }
        if (errno != EEXIST) throw FileError("Cannot create the file", path, errno);
    }
    throw FileError("Cannot create the file", path, EEXIST);
}

AtomicFile::~AtomicFile() {
    if (!FImpl->committed && !FImpl->tempPath.empty()) {
        FImpl->fd.Reset();
        ::unlink(FImpl->tempPath.c_str());
    }
}

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
    if (::close(FImpl->fd.Release()) != 0) throw FileError("Cannot write the file", FPath, errno);
    if (::rename(FImpl->tempPath.c_str(), FPath.c_str()) != 0) {
        throw FileError("Cannot replace the file", FPath, errno);
    }
    FImpl->committed = true;
}

}  // namespace dravemo
