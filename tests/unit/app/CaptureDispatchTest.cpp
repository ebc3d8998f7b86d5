// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "app/TCaptureDispatch.h"
#include "platform/fake/FakeDesktop.h"
#include "services/Translation.h"

inline void RegisterDispatchResources() { Q_INIT_RESOURCE(resources); }

namespace dravemo {
namespace {

// Messages are shown translated: the tests run in English.
class EnglishMessages : public ::testing::Environment {
public:
    void SetUp() override {
        RegisterDispatchResources();
        LoadTranslationCatalogue();
        SetCurrentLanguage(QStringLiteral("en"));
    }
};
const auto* const kEnglish = ::testing::AddGlobalTestEnvironment(new EnglishMessages);

using Log = std::vector<std::string>;

// Records every call of the dispatch into one log, in order.
struct Recorder : CaptureHost, CaptureSources, CaptureDestinations {
    Log log;
    int mode = cmFullScreen;
    int target = stPNG;
    int sound = scNone;
    QString jpegQuality = QStringLiteral("90");
    QString webpQuality = QStringLiteral("80");
    bool dragCancelled = false;
    std::string throwOn;  // the log entry whose call throws

    void Note(const std::string& entry) {
        log.push_back(entry);
        if (entry == throwOn) throw std::runtime_error("boom at " + entry);
    }
    static std::string S(const QString& q) { return q.toStdString(); }

    // CaptureHost
    int SelectedMode() const override { return mode; }
    int SelectedTarget() const override { return target; }
    int SoundChoice() const override { return sound; }
    bool IncludeCursor() const override { return true; }
    QString JpegQualityText() const override { return jpegQuality; }
    QString WebpQualityText() const override { return webpQuality; }
    int PixelsPerInch() const override { return 96; }
    QString NewFilename(const QString& ext) override {
        Note("name:" + S(ext));
        return QStringLiteral("/out/D-001.") + ext;
    }
    void PlayCaptureSound() override { Note("sound"); }
    void ShowMessage(const QString& text, uint32_t flags) override {
        log.push_back("message:" + S(text) + "|" + std::to_string(flags));
    }
    void ReportError(const QString& message) override { log.push_back("error:" + S(message)); }

    // CaptureSources
    void SetShowCursor(bool show) override { Note(show ? "cursor:on" : "cursor:off"); }
    void GrabFullScreen(TBitmap& b, TRect& r) override {
        Note("grab:full");
        b.SetSize(4, 3);
        r = RectOfSize(-10, 5, 4, 3);
    }
    TRect RegionRect() override {
        Note("region");
        return RectOfSize(1, 2, 3, 4);
    }
    void GrabRect(TBitmap& b, const TRect& r) override {
        Note("grab:rect:" + std::to_string(r.Left) + "," + std::to_string(r.Top));
        b.SetSize(r.Width(), r.Height());
    }
    void GrabForegroundWindow(TBitmap& b, TRect&) override {
        Note("grab:active");
        b.SetSize(2, 2);
    }
    void GrabWindowUnderCursor(TBitmap& b, TRect&) override {
        Note("grab:control");
        b.SetSize(2, 2);
    }
    void GrabWebPage(TBitmap& b) override {
        Note("grab:web");
        b.SetSize(2, 2);
    }
    std::unique_ptr<TBitmap> DragSelect(TRect& r) override {
        Note("drag");
        if (dragCancelled) return nullptr;
        r = RectOfSize(7, 8, 2, 2);
        return std::make_unique<TBitmap>(2, 2);
    }
    void CaptureColor() override { Note("color"); }

    // CaptureDestinations
    void ToPNGFile(TBitmap&, const QString& p) override { Note("png:" + S(p)); }
    void ToJPGFile(TBitmap&, const QString& p, int q) override {
        Note("jpg:" + S(p) + ":" + std::to_string(q));
    }
    void ToGIFFile(TBitmap&, const QString& p) override { Note("gif:" + S(p)); }
    void ToBMPFile(TBitmap&, const QString& p) override { Note("bmp:" + S(p)); }
    void ToWebPFile(TBitmap&, const QString& p, int q) override {
        Note("webp:" + S(p) + ":" + std::to_string(q));
    }
    void ToTXTFile(std::unique_ptr<TBitmap> b) override { Note(b ? "txt" : "txt:null"); }
    void ToClipboard(TBitmap&) override { Note("clipboard"); }
    void ToPrinter(TBitmap&, int ppi) override { Note("printer:" + std::to_string(ppi)); }
    void ToFloating(TBitmap&, const TRect& r) override {
        Note("floating:" + std::to_string(r.Left) + "," + std::to_string(r.Top));
    }
    void Upload(TBitmap&) override { Note("upload"); }
    void RecordStart() override { Note("record:start"); }
    void RecordStop() override { Note("record:stop"); }
};

const std::string kRefused = "message:Non capable capture region.|" + std::to_string(0x00050040);

struct Row {
    const char* name;
    int mode;
    int target;
    uint8_t status;
    int sound;
    Log expected;
    uint8_t statusAfter;
};

void PrintTo(const Row& c, std::ostream* os) { *os << c.name; }

class DispatchTable : public ::testing::TestWithParam<Row> {};

TEST_P(DispatchTable, CallsAndShowsWhatTheCombinationMeans) {
    const Row& row = GetParam();
    Recorder r;
    r.mode = row.mode;
    r.target = row.target;
    r.sound = row.sound;
    TCaptureDispatch dispatch(r, r, r);
    dispatch.FStatus = row.status;
    dispatch.Start();
    EXPECT_EQ(r.log, row.expected);
    EXPECT_EQ(dispatch.FStatus, row.statusAfter);
}

const Row kRows[] = {
    {"FullScreenPngWithSoundBefore",
     cmFullScreen,
     stPNG,
     0,
     scBefore,
     {"sound", "cursor:on", "grab:full", "name:png", "png:/out/D-001.png"},
     0},
    {"RegionUsesTheFrameRectangle",
     cmRegion,
     stBMP,
     0,
     scNone,
     {"cursor:on", "region", "grab:rect:1,2", "name:bmp", "bmp:/out/D-001.bmp"},
     0},
    {"ActiveWindowGif",
     cmActiveWindow,
     stGIF,
     0,
     scNone,
     {"cursor:on", "grab:active", "name:gif", "gif:/out/D-001.gif"},
     0},
    {"ControlUnderCursorClipboard",
     cmWindowControl,
     stClipboard,
     0,
     scNone,
     {"cursor:on", "grab:control", "clipboard"},
     0},
    {"WebPageToPrinterWithSoundAfter",
     cmWebPage,
     stPrinter,
     0,
     scAfter,
     {"cursor:on", "grab:web", "printer:96", "sound"},
     0},
    {"WebPQualityFromItsList",
     cmFullScreen,
     stWebP,
     0,
     scNone,
     {"cursor:on", "grab:full", "name:webp", "webp:/out/D-001.webp:80"},
     0},
    {"BusyDropsTheRequest", cmFullScreen, stPNG, 1, scBefore, {}, 1},
    {"StartingRecordingDropsStills", cmFullScreen, stPNG, 2, scBefore, {}, 2},
    // The recording target: start, stop, or nothing while a start is under way.
    {"Mp4FullScreenStarts", cmFullScreen, stMP4, 0, scBefore, {"record:start"}, 0},
    {"Mp4RegionStarts", cmRegion, stMP4, 0, scNone, {"record:start"}, 0},
    {"Mp4SecondRequestStops", cmRegion, stMP4, 1, scNone, {"record:stop"}, 1},
    {"Mp4WhileStartingDoesNothing", cmFullScreen, stMP4, 2, scNone, {}, 2},
    {"Mp4DragRefused", cmDrag, stMP4, 0, scBefore, {kRefused}, 0},
    {"Mp4ActiveWindowRefused", cmActiveWindow, stMP4, 0, scNone, {kRefused}, 0},
    {"Mp4ControlRefused", cmWindowControl, stMP4, 1, scNone, {kRefused}, 1},
    {"Mp4WebPageRefused", cmWebPage, stMP4, 0, scNone, {kRefused}, 0},
    {"Mp4WithoutModeRefused", -1, stMP4, 0, scNone, {kRefused}, 0},
    {"Mp4ColorPickerSkipsTheCheck", cmColorPicker, stMP4, 0, scNone, {"record:start"}, 0},
    {"FloatingWebPageRefused", cmWebPage, stFloating, 0, scNone, {kRefused}, 0},
    {"FloatingFullScreenPlacedByTheGrab",
     cmFullScreen,
     stFloating,
     0,
     scNone,
     {"cursor:on", "grab:full", "floating:-10,5"},
     0},
    {"FloatingDragPlacedByTheSelection",
     cmDrag,
     stFloating,
     0,
     scNone,
     {"drag", "floating:7,8"},
     0},
    // The drag plays the before-sound at the selection, not when the overlay opens.
    {"DragSoundAfterSelection",
     cmDrag,
     stPNG,
     0,
     scBefore,
     {"drag", "sound", "name:png", "png:/out/D-001.png"},
     0},
    {"ColorPickerOnlyRecordsTheColour", cmColorPicker, stJPG, 0, scBefore, {"sound", "color"}, 0},
    {"ColorPickerRefusalSkipped", cmColorPicker, stFloating, 0, scNone, {"color"}, 0},
    // Recognition owns the bitmap and ends the busy state itself; no after-sound here.
    {"TxtKeepsBusyAndPlaysNoSound",
     cmFullScreen,
     stTXT,
     0,
     scAfter,
     {"cursor:on", "grab:full", "txt"},
     1},
    {"UploadAfterTheAfterSound",
     cmFullScreen,
     stUpload,
     0,
     scAfter,
     {"cursor:on", "grab:full", "sound", "upload"},
     0},
    {"NoModeGrabsNothingButStillOutputs",
     -1,
     stClipboard,
     0,
     scNone,
     {"cursor:on", "clipboard"},
     0},
    {"NoTargetWritesNothing", cmFullScreen, -1, 0, scAfter, {"cursor:on", "grab:full", "sound"}, 0},
};

INSTANTIATE_TEST_SUITE_P(ModeTargetStatus, DispatchTable, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CaptureDispatch, CancelledDragEndsSilently) {
    Recorder r;
    r.mode = cmDrag;
    r.sound = scBefore;
    r.dragCancelled = true;
    TCaptureDispatch dispatch(r, r, r);
    dispatch.Start();
    EXPECT_EQ(r.log, Log{"drag"});
    EXPECT_EQ(dispatch.FStatus, csIdle);
}

TEST(CaptureDispatch, JpegQualityTextThatIsNoNumberWritesAt90) {
    for (const auto& [text, quality] :
         std::vector<std::pair<QString, int>>{{"abc", 90}, {"", 90}, {"70", 70}, {"100", 100}}) {
        Recorder r;
        r.target = stJPG;
        r.jpegQuality = text;
        TCaptureDispatch dispatch(r, r, r);
        dispatch.Start();
        EXPECT_EQ(r.log.back(), "jpg:/out/D-001.jpg:" + std::to_string(quality))
            << text.toStdString();
    }
}

// A failure of the output step is shown with the failure text and the error's own message;
// the busy state ends so that the next request works.
TEST(CaptureDispatch, OutputFailureIsReportedAndUnlocks) {
    const std::vector<std::pair<int, std::string>> failing = {
        {stPNG, "png:/out/D-001.png"}, {stPNG, "name:png"},
        {stClipboard, "clipboard"},    {stTXT, "txt"},
        {stUpload, "upload"},          {stPrinter, "printer:96"}};
    for (const auto& [target, entry] : failing) {
        Recorder r;
        r.target = target;
        r.sound = scAfter;
        r.throwOn = entry;
        TCaptureDispatch dispatch(r, r, r);
        dispatch.Start();
        ASSERT_FALSE(r.log.empty());
        EXPECT_EQ(r.log.back(),
                  "message:Capture failed.\r\rboom at " + entry + "|" + std::to_string(0x00050010))
            << entry;
        EXPECT_EQ(dispatch.FStatus, csIdle) << entry;
        // No after-sound once the output failed (unless the failure came after it).
        if (target != stUpload) {
            EXPECT_EQ(std::count(r.log.begin(), r.log.end(), "sound"), 0) << entry;
        }
    }
}

// An error while obtaining the image goes to the general error display, not the failure
// message, and does not leave the dispatch locked.
TEST(CaptureDispatch, GrabFailureGoesToTheGeneralErrorDisplay) {
    for (const auto& [mode, entry] :
         std::vector<std::pair<int, std::string>>{{cmFullScreen, "grab:full"},
                                                  {cmRegion, "region"},
                                                  {cmDrag, "drag"},
                                                  {cmColorPicker, "color"},
                                                  {cmActiveWindow, "cursor:on"}}) {
        Recorder r;
        r.mode = mode;
        r.throwOn = entry;
        TCaptureDispatch dispatch(r, r, r);
        dispatch.Start();
        EXPECT_EQ(r.log.back(), "error:boom at " + entry);
        EXPECT_EQ(dispatch.FStatus, csIdle);
        r.log.clear();
        r.throwOn.clear();
        dispatch.Start();
        EXPECT_FALSE(r.log.empty()) << "a later request still runs";
    }
}

}  // namespace
}  // namespace dravemo
