// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/linux/PosixConsoleChild.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "platform/linux/CommandLineSplit.h"
#include "platform/linux/PosixPipes.h"

extern char** environ;

namespace dravemo {
namespace {

[[noreturn]] void ThrowCode(int code, const char* what) {
    throw std::system_error(code, std::generic_category(), what);
}

// pidfd calls through syscall: the C library's declarations of them are unusable from C++ in
// some versions.
int PidfdOpen(pid_t pid) { return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)); }
int PidfdKill(int pidFd, int signal) {
    return static_cast<int>(::syscall(SYS_pidfd_send_signal, pidFd, signal, nullptr, 0));
}

// Strings and the null-terminated pointer array over them, as exec wants them.
class CStringArray {
public:
    void Add(std::string text) { FStrings.push_back(std::move(text)); }
    char** Get() {
        FPointers.clear();
        for (std::string& s : FStrings) FPointers.push_back(s.data());
        FPointers.push_back(nullptr);
        return FPointers.data();
    }
    bool Empty() const { return FStrings.empty(); }

private:
    std::vector<std::string> FStrings;
    std::vector<char*> FPointers;
};

// posix_spawn's file actions and attributes, released when dropped.
struct SpawnSetup {
    SpawnSetup() {
        posix_spawn_file_actions_init(&Actions);
        posix_spawnattr_init(&Attributes);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&Actions);
        posix_spawnattr_destroy(&Attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
    posix_spawn_file_actions_t Actions;
    posix_spawnattr_t Attributes;
};

// The nice value for the priority class flags that lower the priority; 0 for the others.
int NiceFor(uint32_t priority) {
    if (priority & 0x40) return 19;    // idle
    if (priority & 0x4000) return 10;  // below normal
    return 0;
}

}  // namespace

std::unique_ptr<PosixConsoleChild> PosixConsoleChild::Start(const ConsoleLaunch& launch) {
    if (launch.Input == nullptr || launch.Output == nullptr)
        throw std::invalid_argument("a console child needs its standard pipes");
    CStringArray argv;
    for (const QString& argument : SplitCommandLine(launch.CommandLine))
        argv.Add(QFile::encodeName(argument).toStdString());
    if (argv.Empty()) throw std::invalid_argument("empty command line");
    CStringArray envp;
    if (!launch.Environment.isEmpty()) {
        for (char** entry = environ; *entry != nullptr; ++entry) envp.Add(*entry);
        for (const QString& entry : launch.Environment) envp.Add(entry.toStdString());
    }

    // The child's descriptors 0, 1, 2, 3, ... come from copies above that range, so that no
    // dup2 overwrites a source still to be copied; everything from there up is closed.
    std::vector<int> sources = {PipeFd(*launch.Input), PipeFd(*launch.Output),
                                PipeFd(*launch.Output)};
    for (PipeReader* extra : launch.ExtraInputs) sources.push_back(PipeFd(*extra));
    const int firstFree = static_cast<int>(sources.size());
    std::vector<UniqueFd> copies;
    SpawnSetup setup;
    for (int target = 0; target < firstFree; ++target) {
        UniqueFd copy(::fcntl(sources[target], F_DUPFD_CLOEXEC, firstFree));
        if (!copy.Valid()) ThrowCode(errno, "fcntl");
        posix_spawn_file_actions_adddup2(&setup.Actions, copy.Get(), target);
        copies.push_back(std::move(copy));
    }
    posix_spawn_file_actions_addclosefrom_np(&setup.Actions, firstFree);
    const QByteArray dir = QFile::encodeName(launch.CurrentDir);
    if (!dir.isEmpty()) posix_spawn_file_actions_addchdir_np(&setup.Actions, dir.constData());

    sigset_t none;
    sigemptyset(&none);
    sigset_t all;
    sigfillset(&all);
    posix_spawnattr_setflags(
        &setup.Attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawnattr_setpgroup(&setup.Attributes, 0);
    posix_spawnattr_setsigmask(&setup.Attributes, &none);
    posix_spawnattr_setsigdefault(&setup.Attributes, &all);

    pid_t pid = -1;
    char** arguments = argv.Get();
    const int result = ::posix_spawnp(&pid, arguments[0], &setup.Actions, &setup.Attributes,
                                      arguments, envp.Empty() ? environ : envp.Get());
    if (result != 0) ThrowCode(result, "posix_spawnp");
    UniqueFd pidFd(PidfdOpen(pid));
    if (!pidFd.Valid()) {
        const int code = errno;
        ::kill(-pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        ThrowCode(code, "pidfd_open");
    }
    if (const int nice = NiceFor(launch.Priority); nice != 0)
        ::setpriority(PRIO_PROCESS, static_cast<id_t>(pid), nice);
    return std::unique_ptr<PosixConsoleChild>(new PosixConsoleChild(pid, std::move(pidFd)));
}

PosixConsoleChild::~PosixConsoleChild() {
    if (FExitCode) return;
    Terminate(0);
    Reap(true);
}

void PosixConsoleChild::Reap(bool block) {
    if (FExitCode) return;
    siginfo_t info{};
    int result;
    do {
        result = ::waitid(P_PIDFD, static_cast<id_t>(FPidFd.Get()), &info,
                          WEXITED | (block ? 0 : WNOHANG));
    } while (result < 0 && errno == EINTR);
    if (result < 0 || info.si_pid == 0) return;
    if (info.si_code == CLD_EXITED) {
        FExitCode = static_cast<uint32_t>(info.si_status);
    } else if (FTerminateCode && info.si_status == SIGKILL) {
        FExitCode = *FTerminateCode;
    } else {
        FExitCode = 128u + static_cast<uint32_t>(info.si_status);
    }
}

std::optional<uint32_t> PosixConsoleChild::ExitCode() {
    Reap(false);
    return FExitCode;
}

void PosixConsoleChild::Terminate(uint32_t exitCode) {
    // The child is not reaped yet, so its process and group number cannot have been reused.
    if (ExitCode()) return;
    FTerminateCode = exitCode;
    if (::kill(-FPid, SIGKILL) < 0) PidfdKill(FPidFd.Get(), SIGKILL);
}

}  // namespace dravemo
