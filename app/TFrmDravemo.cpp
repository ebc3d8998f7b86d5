// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "app/TFrmDravemo.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "app/CommandChannel.h"
#include "app/ProgramCaptureDestinations.h"
#include "app/ProgramCaptureSources.h"
#include "app/TConfig.h"
#include "capture/PrintScreenSnipping.h"
#include "services/AutoStart.h"
#include "services/ServiceAddresses.h"
#include "services/Translation.h"

namespace dravemo {

namespace {

const char* const kModeCaptions[] = {"전체화면 캡쳐",     "영역화면 캡쳐", "드래그영역 캡쳐",
                                     "활성중인 화면 캡쳐", "윈도우 컨트롤 캡쳐", "웹페이지 캡쳐",
                                     "색상 추출"};
const char* const kTargetCaptions[] = {"PNG",      "JPG",    "GIF",        "BMP",
                                       "WebP",     "MP4(동영상)", "TXT",  "클립보드",
                                       "이미지창고", "프린터", "플러팅"};
const char* const kQualities[] = {"100", "90", "80", "70", "60"};

// The region frame's header height and border at 96 dots per inch.
constexpr int kRegionBorder = 6;
constexpr int kRegionHeader = 25;

}  // namespace

TFrmDravemo::TFrmDravemo(ProgramPorts& ports, const QString& firstArgument)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint),
      FPorts(ports) {
    setObjectName(QStringLiteral("FrmDravemo"));
    FormCreate(firstArgument);
}

TFrmDravemo::~TFrmDravemo() {
    // Floating windows go first, then the grabber; owned child windows go with the widget.
    FDispatch.reset();
    FSources.reset();
    FDestinations.reset();
    FCapture.reset();
}

void TFrmDravemo::CreateControls() {
    setWindowTitle(QStringLiteral("Dravemo"));
    setFixedSize(162, 191);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    auto* lblArea = new QLabel(QStringLiteral("캡쳐영역"), this);
    lblArea->setObjectName(QStringLiteral("LblArea"));
    lblArea->move(8, 8);
    ChkArea = new QComboBox(this);
    ChkArea->setObjectName(QStringLiteral("ChkArea"));
    ChkArea->setGeometry(9, 29, 145, 22);
    for (const char* caption : kModeCaptions) ChkArea->addItem(QString::fromUtf8(caption));

    PnlMain = new QStackedWidget(this);
    PnlMain->setObjectName(QStringLiteral("PnlMain"));
    PnlMain->setGeometry(8, 60, 145, 96);
    auto* card1 = new QWidget(PnlMain);
    card1->setObjectName(QStringLiteral("Card1"));
    auto* lblSaveTo = new QLabel(QStringLiteral("저장형식"), card1);
    lblSaveTo->setObjectName(QStringLiteral("LblSaveTo"));
    lblSaveTo->move(0, 0);
    ChkSaveTo = new QComboBox(card1);
    ChkSaveTo->setObjectName(QStringLiteral("ChkSaveTo"));
    ChkSaveTo->setGeometry(0, 21, 145, 22);
    for (const char* caption : kTargetCaptions) ChkSaveTo->addItem(QString::fromUtf8(caption));
    PnlMain->addWidget(card1);
    for (const char* name : {"Card2", "Card3"}) {
        auto* card = new QWidget(PnlMain);
        card->setObjectName(QString::fromUtf8(name));
        PnlMain->addWidget(card);
    }

    LblCopyright = new QLabel(QStringLiteral("만든이 Ebrun"), this);
    LblCopyright->setObjectName(QStringLiteral("LblCopyright"));
    LblCopyright->setGeometry(8, 168, 146, 17);
    LblCopyright->setAlignment(Qt::AlignCenter);
    LblCopyright->setCursor(Qt::PointingHandCursor);
    LblCopyright->setStyleSheet(QStringLiteral("color: blue"));
}

void TFrmDravemo::FormCreate(const QString& firstArgument) {
    // F1 asks for no help: Qt shows none unless asked, so nothing needs replacing.
    CreateControls();
    PnlMain->setCurrentIndex(0);
    if (firstArgument == QStringLiteral("/inst")) {
        SetAutoStart(FPorts.Autostart, QStringLiteral("Dravemo"), true);
    }
    LoadConfig();

    TrayIcon = FPorts.MakeTrayIcon();
    TrayIcon->Show(windowTitle() + u' ' + FileVersion(3), nullptr, [this] { RestoreMainWindow(); });

    FCapture = std::make_unique<TCapture>(FPorts.Screen);
    FSources = std::make_unique<ProgramCaptureSources>(*FCapture, [this] {
        // Until the region frame exists, its rectangle comes from the stored position.
        TConfig config(FPorts.Reg, kSettingsPath);
        const auto monitors = FPorts.Screen.Monitors();
        ScreenRect primary = monitors.front().Bounds;
        for (const Monitor& m : monitors) {
            if (m.Primary) primary = m.Bounds;
        }
        const int header = qRound(kRegionHeader * devicePixelRatioF());
        const int left = config.ReadInteger(QStringLiteral("left"), (primary.Width - 480) / 2);
        const int top = config.ReadInteger(QStringLiteral("top"), (primary.Height - 360) / 2);
        const int width = config.ReadInteger(QStringLiteral("width"), 480);
        const int height = config.ReadInteger(QStringLiteral("height"), 360);
        return RectOfSize(left + kRegionBorder, top + header + kRegionBorder, width, height);
    });
    FDestinations = std::make_unique<ProgramCaptureDestinations>(
        FPorts.Boxes, [this] { return TranslateText(FApplicationTitle); });
    FDispatch = std::make_unique<TCaptureDispatch>(*this, *FSources, *FDestinations);
    FCanClose = false;

    if (firstArgument == QStringLiteral("/start")) HideMainWindow();

    SetPrintScreenSnipping(FPorts.Reg, 0);

    ChkAreaChange();
    ChkSaveToChange();
}

void TFrmDravemo::LoadConfig() {
    TConfig config(FPorts.Reg, kSettingsPath);
    QString language = FPorts.Shell.LocaleLanguageName().left(2);
    if (language.isEmpty()) language = QStringLiteral("en");
    Language = config.ReadString(QStringLiteral("language"), language);
    static const QStringList kLanguages = {QStringLiteral("ko"), QStringLiteral("en"),
                                           QStringLiteral("ja"), QStringLiteral("ru"),
                                           QStringLiteral("it"), QStringLiteral("fr"),
                                           QStringLiteral("zh")};
    if (!kLanguages.contains(Language)) Language = QStringLiteral("en");
    SavePath = config.ReadString(QStringLiteral("path"), FPorts.Shell.DesktopFolder());
    FIncludeCursor = config.ReadBoolean(QStringLiteral("mouse"), true);
    ChkArea->setCurrentIndex(0);
    const int area = config.ReadInteger(QStringLiteral("area"), 0);
    ChkArea->setCurrentIndex(area >= 0 && area < ChkArea->count() ? area : -1);
    const int target = config.ReadInteger(QStringLiteral("saveto"), 0);
    ChkSaveTo->setCurrentIndex(target >= 0 && target < ChkSaveTo->count() ? target : -1);
    const int jpeg = config.ReadInteger(QStringLiteral("jpeg_quality"), 1);
    FJpegQualityText = jpeg >= 0 && jpeg < 5 ? QString::fromUtf8(kQualities[jpeg]) : QString();
    const int webp = config.ReadInteger(QStringLiteral("webp_quality"), 1);
    FWebpQualityText = webp >= 0 && webp < 5 ? QString::fromUtf8(kQualities[webp]) : QString();
    FAppendChoice = config.ReadInteger(QStringLiteral("append"), 1);
    FSoundChoice = config.ReadInteger(QStringLiteral("sound"), scBefore);
    if (FSoundChoice < 1 || FSoundChoice > 3) FSoundChoice = 0;

    setWindowTitle(TranslateText(QStringLiteral("Dravemo")));
    FApplicationTitle = windowTitle();
}

void TFrmDravemo::ChkAreaChange() {}

void TFrmDravemo::ChkSaveToChange() {}

TNamingScheme TFrmDravemo::NamingScheme() const {
    if (FAppendChoice == 1) return TNamingScheme::ContinueNumber;
    if (FAppendChoice == 3) return TNamingScheme::FirstFreeNumber;
    return TNamingScheme::TimeStamp;
}

QString TFrmDravemo::NewFilename(const QString& ext) {
    return dravemo::NewFilename(SavePath, NamingScheme(), ext);
}

void TFrmDravemo::ShowMessage(const QString& text, uint32_t flags) {
    FPorts.Boxes.Show(TranslateText(windowTitle()), text, flags);
}

void TFrmDravemo::ReportError(const QString& message) {
    FPorts.Boxes.Show(TranslateText(windowTitle()), message,
                      mb::ICONERROR | mb::SETFOREGROUND | mb::TOPMOST);
}

void TFrmDravemo::LblCopyrightClick() {
    FPorts.Shell.OpenUrl(HomePageUrl() + QStringLiteral("/dravemo?v=") + FileVersion(4));
}

void TFrmDravemo::Start() {
    try {
        FDispatch->Start();
    } catch (const std::exception& e) {
        ReportError(QString::fromUtf8(e.what()));
    }
}

void TFrmDravemo::HideMainWindow() { hide(); }

void TFrmDravemo::RestoreMainWindow() {
    show();
    if (isMinimized()) showNormal();
    if (!QGuiApplication::screens().isEmpty()) ForceForegroundWindow(this);
}

void TFrmDravemo::ForceForegroundWindow(QWidget* window) {
    if (window->isMinimized()) window->showNormal();
    const auto id = static_cast<uintptr_t>(window->winId());
    if (FPorts.Activation.IsForeground(id)) return;
    window->raise();
    window->activateWindow();
    FPorts.Activation.RequestForeground(id);
}

void TFrmDravemo::WmUser(uint32_t param) {
    if (!TrayIcon) return;  // not started up far enough yet
    if (param == 1) {
        RestoreMainWindow();
    } else if (param == 2) {
        FCanClose = true;
        // Closed after the sender has its answer: the close may ask the user first.
        QTimer::singleShot(0, this, [this] { close(); });
    }
}

int32_t TFrmDravemo::WmQueryEndSession() {
    FCanClose = true;
    close();
    return 1;
}

int32_t TFrmDravemo::HandleWindowMessage(const WindowMessage& message) {
    switch (message.Message) {
        case WM_USER: WmUser(message.Param); return 0;
        case WM_COPYDATA:
            return HandleCopyData(message.Param, message.Payload,
                                  {[this] { LblCopyrightClick(); }, [this] { Start(); }});
        default: return 0;
    }
}

void TFrmDravemo::closeEvent(QCloseEvent* event) {
    bool canClose = FCanClose;
    if (!FCanClose) HideMainWindow();
    if (canClose && IsRecording()) {
        FPorts.Boxes.Show(TranslateText(windowTitle()), QStringLiteral("녹화중입니다."),
                          mb::ICONINFORMATION | mb::SETFOREGROUND | mb::TOPMOST);
        canClose = false;
    }
    if (canClose) {
        event->accept();
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    } else {
        event->ignore();
    }
}

}  // namespace dravemo
