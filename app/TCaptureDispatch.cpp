// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "app/TCaptureDispatch.h"

#include <exception>

#include "platform/MessageBoxes.h"
#include "services/Translation.h"

namespace dravemo {

namespace {

QString ErrorText(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

}  // namespace

int QualityFromText(const QString& text) {
    bool ok = false;
    const int quality = text.trimmed().toInt(&ok);
    return ok ? quality : 90;
}

TCaptureDispatch::TCaptureDispatch(CaptureHost& host, CaptureSources& sources,
                                   CaptureDestinations& destinations)
    : FHost(host), FSources(sources), FDestinations(destinations) {}

void TCaptureDispatch::Start() {
    const int mode = FHost.SelectedMode();
    const int target = FHost.SelectedTarget();
    if (mode != cmColorPicker) {
        // Recording works with the full screen and the region only: mode - 2 read as an
        // unsigned number is below 0xFFFFFFFE for every other mode and for no selection.
        const bool recordingRefused =
            target == stMP4 && static_cast<uint32_t>(mode - 2) < 0xFFFFFFFEu;
        const bool floatingRefused = target == stFloating && mode == cmWebPage;
        if (recordingRefused || floatingRefused) {
            FHost.ShowMessage(TranslateText(QStringLiteral("지원하지 않는 캡쳐영역입니다.")),
                              mb::ICONINFORMATION | mb::SETFOREGROUND | mb::TOPMOST);
            return;
        }
    }
    if (target == stMP4) {
        if (FStatus == csIdle) {
            FDestinations.RecordStart();
        } else if (FStatus == csBusy) {
            FDestinations.RecordStop();
        }
        return;
    }
    if (FStatus == csIdle) CaptureStart();
}

void TCaptureDispatch::CaptureStart() {
    FStatus = csBusy;
    const int mode = FHost.SelectedMode();
    const int target = FHost.SelectedTarget();
    const int sound = FHost.SoundChoice();
    std::unique_ptr<TBitmap> bitmap;
    TRect rect{};
    try {
        if (sound == scBefore && mode != cmDrag) FHost.PlayCaptureSound();
        if (mode == cmDrag) {
            bitmap = FSources.DragSelect(rect);
            if (!bitmap) {
                FStatus = csIdle;
                return;
            }
            // For a drag the sound marks the moment of the selection.
            if (sound == scBefore) FHost.PlayCaptureSound();
        } else if (mode == cmColorPicker) {
            FSources.CaptureColor();
        } else {
            Capture(bitmap, rect, mode);
        }
    } catch (...) {
        // Not the output's failure: the general error display reports it, and later
        // requests must not stay locked out.
        FStatus = csIdle;
        FHost.ReportError(ErrorText(std::current_exception()));
        return;
    }
    if (bitmap) {
        bool handedOver = false;
        try {
            Output(bitmap, rect, target, handedOver);
        } catch (...) {
            FHost.ShowMessage(TranslateText(QStringLiteral("캡쳐가 실패하였습니다.")) +
                                  QStringLiteral("\r\r") + ErrorText(std::current_exception()),
                              mb::ICONERROR | mb::SETFOREGROUND | mb::TOPMOST);
            handedOver = false;
        }
        bitmap.reset();
        // Text recognition keeps the busy state until it has finished.
        if (handedOver) return;
    }
    FStatus = csIdle;
}

void TCaptureDispatch::Capture(std::unique_ptr<TBitmap>& bitmap, TRect& rect, int mode) {
    bitmap = std::make_unique<TBitmap>();
    FSources.SetShowCursor(FHost.IncludeCursor());
    switch (mode) {
        case cmFullScreen:
            FSources.GrabFullScreen(*bitmap, rect);
            break;
        case cmRegion:
            rect = FSources.RegionRect();
            FSources.GrabRect(*bitmap, rect);
            break;
        case cmActiveWindow:
            FSources.GrabForegroundWindow(*bitmap, rect);
            break;
        case cmWindowControl:
            FSources.GrabWindowUnderCursor(*bitmap, rect);
            break;
        case cmWebPage:
            FSources.GrabWebPage(*bitmap);
            break;
        default:
            break;  // nothing selected: the bitmap stays empty
    }
}

void TCaptureDispatch::Output(std::unique_ptr<TBitmap>& bitmap, const TRect& rect, int target,
                              bool& handedOver) {
    switch (target) {
        case stPNG:
            FDestinations.ToPNGFile(*bitmap, FHost.NewFilename(QStringLiteral("png")));
            break;
        case stJPG:
            FDestinations.ToJPGFile(*bitmap, FHost.NewFilename(QStringLiteral("jpg")),
                                    QualityFromText(FHost.JpegQualityText()));
            break;
        case stGIF:
            FDestinations.ToGIFFile(*bitmap, FHost.NewFilename(QStringLiteral("gif")));
            break;
        case stBMP:
            FDestinations.ToBMPFile(*bitmap, FHost.NewFilename(QStringLiteral("bmp")));
            break;
        case stWebP:
            FDestinations.ToWebPFile(*bitmap, FHost.NewFilename(QStringLiteral("webp")),
                                     QualityFromText(FHost.WebpQualityText()));
            break;
        case stTXT:
            // Recognition owns the bitmap now; it plays the after-sound itself.
            handedOver = true;
            FDestinations.ToTXTFile(std::move(bitmap));
            return;
        case stClipboard:
            FDestinations.ToClipboard(*bitmap);
            break;
        case stPrinter:
            FDestinations.ToPrinter(*bitmap, FHost.PixelsPerInch());
            break;
        case stFloating:
            FDestinations.ToFloating(*bitmap, rect);
            break;
        default:
            break;  // MP4 and the upload have nothing to do in this step
    }
    if (FHost.SoundChoice() == scAfter) FHost.PlayCaptureSound();
    if (target == stUpload) FDestinations.Upload(*bitmap);
}

}  // namespace dravemo
