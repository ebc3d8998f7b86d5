// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/SoundPlayer.h"

namespace dravemo {

// Counts the sounds instead of playing them.
class FakeSoundPlayer : public SoundPlayer {
public:
    void PlayCaptureSound() override { ++Played; }
    int Played = 0;
};

}  // namespace dravemo
