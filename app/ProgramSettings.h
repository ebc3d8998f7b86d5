// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include "capture/IntegerSettings.h"
#include "services/TConfig.h"

namespace dravemo {

// The program's settings key as the capture windows read and write it.
class ProgramSettings : public IntegerSettings {
public:
    explicit ProgramSettings(Registry& registry) : FReg(registry) {}

    int ReadInteger(const QString& name, int defaultValue) const override {
        return TConfig(FReg, kSettingsPath).ReadInteger(name, defaultValue);
    }
    void WriteInteger(const QString& name, int value) override {
        TConfig(FReg, kSettingsPath).WriteInteger(name, value);
    }

private:
    Registry& FReg;
};

}  // namespace dravemo
