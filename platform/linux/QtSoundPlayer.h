// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include "platform/SoundPlayer.h"

class QSoundEffect;

namespace dravemo {

// Plays the embedded WAV resource ":/sound.wav" through the system's sound server.
class QtSoundPlayer : public SoundPlayer {
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;
    void PlayCaptureSound() override;

private:
    std::unique_ptr<QSoundEffect> FEffect;
};

}  // namespace dravemo
