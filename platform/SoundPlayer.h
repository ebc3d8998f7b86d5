// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

namespace dravemo {

// Plays the program's capture sound.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts the sound and returns at once; without an audio device nothing is heard and
    // nothing fails.
    virtual void PlayCaptureSound() = 0;
};

}  // namespace dravemo
