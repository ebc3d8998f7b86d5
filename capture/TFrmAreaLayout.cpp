// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
// The region frame's controls, header layout and header menu.
#include <QFont>
#include <QPalette>

#include "capture/ImageListIcon.h"
#include "capture/TFrmArea.h"
#include "services/DesignFont.h"

namespace dravemo {

namespace {
// Header parts in design pixels at 96 dots per inch.
constexpr int kSidePanelWidth = 80;
constexpr int kCloseIconSize = 16;

QWidget* Panel(QWidget* parent, const char* name) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QString::fromUtf8(name));
    return panel;
}

QLabel* HeaderLabel(QWidget* parent, const char* name, const QString& text, const QColor& color) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromUtf8(name));
    label->move(6, 5);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    return label;
}
}  // namespace

void TFrmArea::CreateControls() {
    setFont(DesignFont());
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);

    ShpBack = new TAreaShape(this);
    PnlHead = Panel(this, "PnlHead");
    PnlHead->setAutoFillBackground(true);
    QPalette dark = PnlHead->palette();
    dark.setColor(QPalette::Window, QColor(64, 0, 0));
    PnlHead->setPalette(dark);
    PnlSize = Panel(PnlHead, "PnlSize");
    LblSize = HeaderLabel(PnlSize, "LblSize", QStringLiteral("1024x768"), Qt::white);
    PnlRec = Panel(PnlHead, "PnlRec");
    LvlRecTime =
        HeaderLabel(PnlRec, "LvlRecTime", QStringLiteral("[REC] 00:00:00"), QColor(128, 0, 0));
    LvlRecTime->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    PnlClose = Panel(PnlHead, "PnlClose");
    BtnClose = new QLabel(PnlClose);
    BtnClose->setObjectName(QStringLiteral("BtnClose"));
    BtnClose->setGeometry(58, 5, kCloseIconSize, kCloseIconSize);
    BtnClose->setCursor(Qt::PointingHandCursor);
    for (QWidget* part :
         {PnlHead, PnlSize, static_cast<QWidget*>(LblSize), PnlRec,
          static_cast<QWidget*>(LvlRecTime), PnlClose, static_cast<QWidget*>(BtnClose)}) {
        part->installEventFilter(this);
    }

    TmrColor = new QTimer(this);
    TmrColor->setObjectName(QStringLiteral("TmrColor"));
    TmrColor->setInterval(100);
    connect(TmrColor, &QTimer::timeout, this, [this] { TmrColorTimer(); });
    // Coalesces the window manager's moves and resizes of one drag.
    FSettle = new QTimer(this);
    FSettle->setSingleShot(true);
    FSettle->setInterval(250);
    connect(FSettle, &QTimer::timeout, this, [this] { Settled(); });
    CreateMenu();
}

void TFrmArea::CreateMenu() {
    PopSize = new QMenu(this);
    PopSize->setObjectName(QStringLiteral("PopSize"));
    const auto item = [this](const char* name, const QString& caption) {
        QAction* action = PopSize->addAction(caption);
        action->setObjectName(QString::fromUtf8(name));
        return action;
    };
    PopSize_1 = item("PopSize_1", QStringLiteral("320x240"));
    PopSize_2 = item("PopSize_2", QStringLiteral("640x480"));
    PopSize_3 = item("PopSize_3", QStringLiteral("720x480"));
    PopSize->addSeparator()->setObjectName(QStringLiteral("N1"));
    PopConfig = item("PopConfig", QStringLiteral("설정하기"));
    PopClose = item("PopClose", QStringLiteral("감추기"));
    connect(PopSize_1, &QAction::triggered, this, [this] { PopSizeClick(1); });
    connect(PopSize_2, &QAction::triggered, this, [this] { PopSizeClick(2); });
    connect(PopSize_3, &QAction::triggered, this, [this] { PopSizeClick(3); });
    connect(PopConfig, &QAction::triggered, this, [this] { PopConfigClick(); });
    connect(PopClose, &QAction::triggered, this, [this] { close(); });
}

void TFrmArea::LayoutHeader() {
    const int width = this->width();
    ShpBack->setGeometry(rect());
    PnlHead->setGeometry(0, 0, width, kHeaderDesignHeight);
    PnlSize->setGeometry(0, 0, kSidePanelWidth, kHeaderDesignHeight);
    PnlClose->setGeometry(width - kSidePanelWidth, 0, kSidePanelWidth, kHeaderDesignHeight);
    // The time panel fills the space between the two side panels.
    PnlRec->setGeometry(kSidePanelWidth, 0, std::max(0, width - 2 * kSidePanelWidth),
                        kHeaderDesignHeight);
    LvlRecTime->setGeometry(6, 5, PnlRec->width(), LvlRecTime->sizeHint().height());
}

void TFrmArea::UpdateCloseIcon() {
    LoadImageListIcon(*BtnClose, QStringLiteral("close"), kCloseIconSize);
}

}  // namespace dravemo
