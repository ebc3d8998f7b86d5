// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
// The main window's controls and popup menu.
#include <QFont>
#include <stdexcept>

#include "app/TFrmDravemo.h"
#include "capture/ListItemDelegate.h"
#include "services/DesignFont.h"

namespace dravemo {

namespace {

const char* const kModeCaptions[] = {"전체화면 캡쳐",      "영역화면 캡쳐",      "드래그영역 캡쳐",
                                     "활성중인 화면 캡쳐", "윈도우 컨트롤 캡쳐", "웹페이지 캡쳐",
                                     "색상 추출"};
const char* const kTargetCaptions[] = {"PNG",        "JPG",         "GIF",   "BMP",
                                       "WebP",       "MP4(동영상)", "TXT",   "클립보드",
                                       "이미지창고", "프린터",      "플러팅"};
const char* const kQualities[] = {"100", "90", "80", "70", "60"};

// One row of the popup menu: where the item goes, its name, its caption and what a click does.
enum class Kind { Plain, Submenu, Separator, Language, Append, Sound, Limit, Toggle };
struct MenuRow {
    const char* parent;  // "" for the menu itself
    const char* name;
    const char* caption;
    Kind kind;
    const char* setting = "";  // for toggles
};

const MenuRow kMenu[] = {
    {"", "N12", "저장폴더 열기", Kind::Plain},
    {"", "N4", "저장폴더 설정", Kind::Plain},
    {"", "N1", "단축키 설정", Kind::Plain},
    {"", "N11", "언어 설정", Kind::Submenu},
    {"N11", "ChkLangKo", "한국어", Kind::Language},
    {"N11", "ChkLangEn", "English", Kind::Language},
    {"N11", "ChkLangJa", "日本語", Kind::Language},
    {"N11", "ChkLangRu", "русский", Kind::Language},
    {"N11", "ChkLangIt", "Italiano", Kind::Language},
    {"N11", "ChkLangFr", "Français", Kind::Language},
    {"N11", "ChkLangZh", "中文", Kind::Language},
    {"", "N2", "파일명 설정", Kind::Submenu},
    {"N2", "ChkAppend1", "순차적 #1", Kind::Append},
    {"N2", "ChkAppend3", "순차적 #2", Kind::Append},
    {"N2", "ChkAppend2", "날짜시간", Kind::Append},
    {"", "N6", "녹화 설정", Kind::Submenu},
    {"N6", "N13", "최대 녹화시간", Kind::Submenu},
    {"N13", "ChkRecLimit0", "무제한", Kind::Limit},
    {"N13", "N15", "-", Kind::Separator},
    {"N13", "ChkRecLimit30", "30분", Kind::Limit},
    {"N13", "ChkRecLimit60", "1시간", Kind::Limit},
    {"N13", "ChkRecLimit120", "2시간", Kind::Limit},
    {"N13", "ChkRecLimit240", "4시간", Kind::Limit},
    {"N6", "ChkAudio", "사운드 포함", Kind::Toggle, "audio"},
    {"N6", "ChkLog", "로그 기록", Kind::Toggle, "ffmpeg_log"},
    {"", "N3", "캡쳐소리 설정", Kind::Submenu},
    {"N3", "ChkSound1", "없음", Kind::Sound},
    {"N3", "ChkSound2", "캡쳐 전 소리", Kind::Sound},
    {"N3", "ChkSound3", "캡쳐 후 소리", Kind::Sound},
    {"", "ChkMouse", "마우스 커서 포함", Kind::Toggle, "mouse"},
    {"", "ChkRegStart", "부팅시 실행", Kind::Plain},
    {"", "N8", "-", Kind::Separator},
    {"", "N9", "만든이 Ebrun", Kind::Plain},
    {"", "N10", "종료하기", Kind::Plain},
};

}  // namespace

QComboBox* TFrmDravemo::CreateList(QWidget* parent, const char* name, const QRect& geometry) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromUtf8(name));
    list->setGeometry(geometry);
    list->setItemDelegate(new ListItemDelegate(list));
    return list;
}

void TFrmDravemo::CreateControls() {
    setWindowTitle(QStringLiteral("Dravemo"));
    setFixedSize(162, 191);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setFont(DesignFont());

    LblArea = new QLabel(QStringLiteral("캡쳐영역"), this);
    LblArea->setObjectName(QStringLiteral("LblArea"));
    LblArea->move(8, 8);
    ChkArea = CreateList(this, "ChkArea", {9, 29, 145, 22});
    for (const char* caption : kModeCaptions) ChkArea->addItem(QString::fromUtf8(caption));

    PnlMain = new QStackedWidget(this);
    PnlMain->setObjectName(QStringLiteral("PnlMain"));
    PnlMain->setGeometry(8, 60, 145, 96);
    Card1 = new QWidget(PnlMain);
    Card1->setObjectName(QStringLiteral("Card1"));
    LblSaveTo = new QLabel(QStringLiteral("저장형식"), Card1);
    LblSaveTo->setObjectName(QStringLiteral("LblSaveTo"));
    LblSaveTo->move(0, 0);
    ChkSaveTo = CreateList(Card1, "ChkSaveTo", {0, 21, 145, 22});
    for (const char* caption : kTargetCaptions) ChkSaveTo->addItem(QString::fromUtf8(caption));
    ChkJPEG_qual = CreateList(Card1, "ChkJPEG_qual", {88, 21, 57, 22});
    ChkWebp_qual = CreateList(Card1, "ChkWebp_qual", {88, 21, 57, 22});
    for (const char* quality : kQualities) {
        ChkJPEG_qual->addItem(QString::fromUtf8(quality));
        ChkWebp_qual->addItem(QString::fromUtf8(quality));
    }
    ChkJPEG_qual->hide();
    ChkWebp_qual->hide();
    ChkOCR_lang = CreateList(Card1, "ChkOCR_lang", {78, 21, 67, 22});
    ChkOCR_lang->hide();
    BtnOpenDir = new QPushButton(QStringLiteral("폴더열기"), Card1);
    BtnOpenDir->setObjectName(QStringLiteral("BtnOpenDir"));
    BtnOpenDir->setGeometry(0, 63, 145, 33);
    PnlMain->addWidget(Card1);
    Card2 = new QWidget(PnlMain);
    Card2->setObjectName(QStringLiteral("Card2"));
    PnlMain->addWidget(Card2);
    Card3 = new QWidget(PnlMain);
    Card3->setObjectName(QStringLiteral("Card3"));
    PnlMain->addWidget(Card3);

    LblCopyright = new QLabel(QStringLiteral("만든이 Ebrun"), this);
    LblCopyright->setObjectName(QStringLiteral("LblCopyright"));
    LblCopyright->setGeometry(8, 168, 146, 17);
    LblCopyright->setAlignment(Qt::AlignCenter);
    LblCopyright->setCursor(Qt::PointingHandCursor);
    QPalette blue = LblCopyright->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    LblCopyright->setPalette(blue);

    TmrColor = new QTimer(this);
    TmrColor->setObjectName(QStringLiteral("TmrColor"));
    TmrColor->setInterval(100);
    TmrRec = new QTimer(this);
    TmrRec->setObjectName(QStringLiteral("TmrRec"));
    TmrRec->setInterval(100);

    // Right-clicks on the window's free area and labels open the popup menu.
    for (QWidget* w :
         {static_cast<QWidget*>(this), static_cast<QWidget*>(LblArea),
          static_cast<QWidget*>(LblSaveTo), static_cast<QWidget*>(LblCopyright), Card1, Card2}) {
        w->installEventFilter(this);
    }
    connect(ChkArea, &QComboBox::activated, this, [this] { ChkAreaChange(); });
    connect(ChkSaveTo, &QComboBox::activated, this, [this] { ChkSaveToChange(); });
    connect(ChkJPEG_qual, &QComboBox::activated, this,
            [this] { SaveConfig(QStringLiteral("jpeg_quality"), ChkJPEG_qual->currentIndex()); });
    connect(ChkWebp_qual, &QComboBox::activated, this,
            [this] { SaveConfig(QStringLiteral("webp_quality"), ChkWebp_qual->currentIndex()); });
    connect(ChkOCR_lang, &QComboBox::activated, this,
            [this] { SaveConfig(QStringLiteral("language_ocr"), ChkOCR_lang->currentIndex()); });
    connect(BtnOpenDir, &QPushButton::clicked, this, [this] { BtnOpenDirClick(); });
    CreateMenu();
}

void TFrmDravemo::CreateMenu() {
    Menu = new QMenu(this);
    Menu->setObjectName(QStringLiteral("Menu"));
    QMap<QString, QMenu*> menus{{QString(), Menu}};
    for (const MenuRow& row : kMenu) {
        QMenu* parent = menus.value(QString::fromUtf8(row.parent));
        const QString name = QString::fromUtf8(row.name);
        const QString caption = QString::fromUtf8(row.caption);
        if (row.kind == Kind::Submenu) {
            QMenu* sub = parent->addMenu(caption);
            sub->setObjectName(name);
            sub->menuAction()->setObjectName(name);
            menus[name] = sub;
            continue;
        }
        QAction* item =
            row.kind == Kind::Separator ? parent->addSeparator() : parent->addAction(caption);
        item->setObjectName(name);
        item->setParent(parent);
        if (row.kind == Kind::Separator) continue;
        const bool checkable = row.kind != Kind::Plain || name == QStringLiteral("ChkRegStart");
        item->setCheckable(checkable);
        const QString setting = QString::fromUtf8(row.setting);
        connect(item, &QAction::triggered, this, [this, item, kind = row.kind, setting] {
            const QString n = item->objectName();
            switch (kind) {
                case Kind::Language:
                    ChkLangClick(item);
                    break;
                case Kind::Append:
                    ChkAppend1Click(item);
                    break;
                case Kind::Sound:
                    ChkSound1Click(item);
                    break;
                case Kind::Limit:
                    ChkRecLimit0Click(item);
                    break;
                case Kind::Toggle:
                    ChkToggleClick(item, setting);
                    break;
                default:
                    if (n == QStringLiteral("N12")) BtnOpenDirClick();
                    if (n == QStringLiteral("N4")) N4Click();
                    if (n == QStringLiteral("N1")) N1Click();
                    if (n == QStringLiteral("ChkRegStart")) ChkRegStartClick();
                    if (n == QStringLiteral("N9")) LblCopyrightClick();
                    if (n == QStringLiteral("N10")) N10Click();
                    break;
            }
        });
    }
    ChkMouse = MenuItem(QStringLiteral("ChkMouse"));
    ChkAudio = MenuItem(QStringLiteral("ChkAudio"));
    ChkLog = MenuItem(QStringLiteral("ChkLog"));
    ChkRegStart = MenuItem(QStringLiteral("ChkRegStart"));
}

QAction* TFrmDravemo::MenuItem(const QString& name) const {
    QAction* item = Menu->findChild<QAction*>(name);
    if (!item) throw std::logic_error("The main menu has no item " + name.toStdString() + ".");
    return item;
}

}  // namespace dravemo
