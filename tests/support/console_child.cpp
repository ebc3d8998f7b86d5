// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
//
// A console program for the process runner's tests. Runs its commands left to right:
//   print TEXT     writes TEXT (\r \n \0 \\ escapes) to standard output at once
//   stderr TEXT    the same on standard error
//   pause MS       waits MS milliseconds (lets the output above arrive as a piece of its own)
//   sleep S        waits S seconds silently
//   stdin          reads standard input up to a 'q' and prints "stdin HEX rest HEX": the bytes
//                  up to and including the 'q', then those already waiting behind it
//   fd3            reads fd 3 to its end and prints "fd3 COUNT SUM" (SUM: byte sum mod 2^32)
//   fds            prints "fds" and the open descriptors, from /proc/self/fd
//   ticker MS      prints "tick N" every MS milliseconds, forever
//   kill SIG       sends itself signal SIG
//   exit CODE      ends with CODE
#include <dirent.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        out += c == 'r' ? '\r' : c == 'n' ? '\n' : c == '0' ? '\0' : c;
    }
    return out;
}

void WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n <= 0) std::exit(90);
        done += static_cast<size_t>(n);
    }
}

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (const unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out.empty() ? "-" : out;
}

void ReadStdin() {
    std::string upToQ;
    char c = 0;
    while (::read(0, &c, 1) == 1) {
        upToQ += c;
        if (c == 'q') break;
    }
    int waiting = 0;
    ::ioctl(0, FIONREAD, &waiting);
    std::string rest(static_cast<size_t>(waiting), '\0');
    if (waiting > 0 && ::read(0, rest.data(), rest.size()) != waiting) std::exit(91);
    WriteAll(1, "stdin " + Hex(upToQ) + " rest " + Hex(rest) + "\n");
}

void ReadFd3() {
    uint64_t count = 0;
    uint32_t sum = 0;
    std::vector<unsigned char> buffer(65536);
    while (true) {
        const ssize_t n = ::read(3, buffer.data(), buffer.size());
        if (n <= 0) break;
        count += static_cast<uint64_t>(n);
        for (ssize_t i = 0; i < n; ++i) sum += buffer[static_cast<size_t>(i)];
    }
    WriteAll(1, "fd3 " + std::to_string(count) + " " + std::to_string(sum) + "\n");
}

void ListFds() {
    std::string line = "fds";
    DIR* dir = ::opendir("/proc/self/fd");
    if (dir == nullptr) std::exit(92);
    const int own = ::dirfd(dir);
    std::vector<int> fds;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        const int fd = std::atoi(entry->d_name);
        if (fd != own) fds.push_back(fd);
    }
    ::closedir(dir);
    for (const int fd : fds) line += " " + std::to_string(fd);
    WriteAll(1, line + "\n");
}

}  // namespace

int main(int argc, char** argv) {
    using namespace std::chrono;
    for (int i = 1; i < argc; ++i) {
        const std::string command = argv[i];
        // Commands with a value take the next argument.
        const bool hasValue = command == "print" || command == "stderr" || command == "pause" ||
                              command == "sleep" || command == "ticker" || command == "kill" ||
                              command == "exit";
        const std::string value = hasValue && i + 1 < argc ? argv[++i] : "";
        const int number = std::atoi(value.c_str());
        if (command == "print") {
            WriteAll(1, Unescape(value));
        } else if (command == "stderr") {
            WriteAll(2, Unescape(value));
        } else if (command == "pause") {
            std::this_thread::sleep_for(milliseconds(number));
        } else if (command == "sleep") {
            std::this_thread::sleep_for(seconds(number));
        } else if (command == "stdin") {
            ReadStdin();
        } else if (command == "fd3") {
            ReadFd3();
        } else if (command == "fds") {
            ListFds();
        } else if (command == "ticker") {
            for (int n = 0;; ++n) {
                WriteAll(1, "tick " + std::to_string(n) + "\n");
                std::this_thread::sleep_for(milliseconds(number));
            }
        } else if (command == "kill") {
            ::raise(number);
        } else if (command == "exit") {
            return number;
        } else {
            std::fprintf(stderr, "console_child: unknown command %s\n", command.c_str());
            return 2;
        }
    }
    return 0;
}
