// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace dravemo {

// A file written so that the target path holds either its old content or the complete new
// one, and an interrupted write leaves nothing the user sees. The bytes go to an unnamed file
// in the target's folder where the file system offers one, otherwise to a hidden temporary
// file beside the target (".<name>.dravemo-xxxxxxxx"). Commit() flushes the data to disk,
// gives it the hidden name, renames that over the target and flushes the folder. Dropped
// without Commit(), the temporary file is removed and the target is untouched. Every failure
// throws std::runtime_error naming the file and the reason.
class AtomicFile {
public:
    // How the temporary file is made: unnamed where possible (falling back to a hidden name
    // when the file system refuses), or always under a hidden name.
    enum class Method { Unnamed, HiddenName };

    // Creates the temporary file beside `path` (UTF-8). A replaced file keeps its mode; new
    // files get mode 0666 less the umask.
    explicit AtomicFile(const std::string& path, Method method = Method::Unnamed);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Appends bytes; a short write (a full disk) throws.
    void Write(const void* data, size_t size);
    void Write(const std::string& bytes) { Write(bytes.data(), bytes.size()); }
    // Flushes the data to disk and replaces the target with it.
    void Commit();

    const std::string& Path() const { return FPath; }
    // Whether the temporary file has no name (before Commit()).
    bool IsUnnamed() const;

    // Whether a file name is one of the temporary names this class gives, hidden or in the
    // visible "<name>.tmp-xxxxxxxx" form earlier versions left behind.
    static bool IsTemporaryName(std::string_view name);
    // Removes the hidden temporary files of this class in `folder` that are regular files
    // not changed for `age`, the debris of an interrupted program; returns how many went.
    // A folder that cannot be read removes nothing.
    static int RemoveStaleTemporaries(const std::string& folder,
                                      std::chrono::seconds age = std::chrono::minutes(1));

private:
    struct Impl;
    std::string FPath;
    std::unique_ptr<Impl> FImpl;
};

}  // namespace dravemo
