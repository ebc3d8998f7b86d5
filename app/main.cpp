// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <chrono>
#include <cstdio>
#include <exception>
#include <iostream>
#include <thread>

#include "app/CommandLineHelp.h"
#include "app/ProgramEntry.h"
#include "platform/PlatformFactory.h"

int main(int argc, char** argv) {
    using namespace dravemo;
    // Only the first argument counts, compared exactly.
    const QString firstArgument = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    try {
        const ProgramLocations where = DescribeLocations();
        if (const auto code = AnswerInformationSwitch(
                firstArgument, {where.SettingsFile, where.MessageSocket}, std::cout)) {
            return *code;
        }
        InstancePorts instance = CreateInstancePorts();
        return ProgramEntry(
            firstArgument, *instance.Locator, *instance.Lock,
            [&] { RunFirstInstance(argc, argv, firstArgument); },
            [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }, std::cerr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "dravemo: %s\n", e.what());
        return 1;
    }
}
