// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

#include "app/CaptureInterfaces.h"

namespace dravemo {

// The capture state: idle, busy (a still capture, a pending recognition or a running
// recording) or a recording being started.
enum TCaptureStatus : uint8_t { csIdle = 0, csBusy = 1, csRecordingStarting = 2 };

// Turns a capture request (the hotkey, the "capture" command) into an output: refuses the
// mode and target combinations that cannot work, starts and stops recordings, and runs one
// still capture from the sound through obtaining the image to its destination. The busy
// state keeps requests from overlapping: a request while busy is dropped.
class TCaptureDispatch {
public:
    TCaptureDispatch(CaptureHost& host, CaptureSources& sources, CaptureDestinations& destinations);

    // The capture request.
    void Start();

    uint8_t FStatus = csIdle;

private:
    void CaptureStart();
    // Obtains the image of modes 0, 1, 3, 4 and 5 into a new bitmap.
    void Capture(std::unique_ptr<TBitmap>& bitmap, TRect& rect, int mode);
    void Output(std::unique_ptr<TBitmap>& bitmap, const TRect& rect, int target, bool& handedOver);

    CaptureHost& FHost;
    CaptureSources& FSources;
    CaptureDestinations& FDestinations;
};

// The quality number shown in a quality list, 90 when the text is not a number.
int QualityFromText(const QString& text);

}  // namespace dravemo
