// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace dravemo {

// A file written so that the target path holds either its old content or the complete new
// one: the bytes go to a temporary file in the same folder, which Commit() flushes to disk and
// renames over the target. Dropped without Commit(), the temporary file is removed and the
// target is untouched. Every failure throws std::runtime_error naming the file and the reason.
class AtomicFile {
public:
    // Creates the temporary file beside `path` (UTF-8). New files get mode 0666 less the umask.
    explicit AtomicFile(const std::string& path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Appends bytes; a short write (a full disk) throws.
    void Write(const void* data, size_t size);
    void Write(const std::string& bytes) { Write(bytes.data(), bytes.size()); }
    // Flushes the data to disk and replaces the target with it.
    void Commit();

    const std::string& Path() const { return FPath; }

private:
    struct Impl;
    std::string FPath;
    std::unique_ptr<Impl> FImpl;
};

}  // namespace dravemo
