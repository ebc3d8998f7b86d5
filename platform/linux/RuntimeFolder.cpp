// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/linux/RuntimeFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace dravemo {

std::string RuntimeFolderPath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat base {};
    // A runtime directory that is named but missing counts as none.
    if (runtime && *runtime && ::stat(runtime, &base) == 0 && S_ISDIR(base.st_mode)) {
        return std::string(runtime) + "/dravemo";
    }
    return "/tmp/dravemo-" + std::to_string(::getuid());
}

std::string RuntimeFolder() {
    const std::string folder = RuntimeFolderPath();
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        throw std::runtime_error("Cannot create the runtime folder " + folder + ": " +
                                 std::strerror(errno));
    }
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) {
        throw std::runtime_error("The runtime folder " + folder + " does not belong to this user");
    }
    if ((st.st_mode & 077) != 0 && ::chmod(folder.c_str(), 0700) != 0) {
        throw std::runtime_error("Cannot protect the runtime folder " + folder);
    }
    return folder;
}

}  // namespace dravemo
