// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
//
// Sends one message to a running Dravemo, as another program would, and prints its result:
//   dravemo_send <runtime folder> <message> <param> [command text]
// The command text goes as a WM_COPYDATA block (UTF-16LE with a NUL). Exit code 0 with an
// answer, 3 without one.
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/linux/SocketInstanceLocator.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: dravemo_send <folder> <message> <param> [text]\n");
        return 2;
    }
    dravemo::WindowMessage message;
    message.Message = static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 0));
    message.Param = static_cast<uint32_t>(std::strtoul(argv[3], nullptr, 0));
    if (argc > 4) {
        const QString text = QString::fromUtf8(argv[4]);
        for (QChar c : text) {
            message.Payload.append(static_cast<char>(c.unicode() & 0xFF));
            message.Payload.append(static_cast<char>(c.unicode() >> 8));
        }
        message.Payload.append(2, '\0');
    }
    // Tests send requests that wait for the user (a drag), so the limit is generous.
    dravemo::SocketInstanceLocator locator(argv[1], std::chrono::minutes(2));
    std::optional<int32_t> result;
    try {
        result = locator.Send(message);
    } catch (const dravemo::NoAnswerError& e) {
        std::printf("no reply: %s\n", e.what());
        return 3;
    }
    if (!result) {
        std::printf("no reply: no instance\n");
        return 3;
    }
    std::printf("%d\n", *result);
    return 0;
}
