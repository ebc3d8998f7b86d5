// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/linux/QtSoundPlayer.h"

#include <QSoundEffect>
#include <QUrl>

namespace dravemo {

QtSoundPlayer::QtSoundPlayer() = default;
QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::PlayCaptureSound() {
    // Loaded on first use, so that a start without sound costs nothing.
    if (!FEffect) {
        FEffect = std::make_unique<QSoundEffect>();
        FEffect->setSource(QUrl(QStringLiteral("qrc:/sound.wav")));
    }
    FEffect->play();
}

}  // namespace dravemo
