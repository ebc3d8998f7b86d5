// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "output/ClipboardOutput.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QThread>
#include <exception>
#include <functional>
#include <memory>

#include "output/BitmapImage.h"
#include "services/Translation.h"

namespace dravemo {

namespace {

// The clipboard of this application, or null when there is none to use from this thread.
QClipboard* UsableClipboard() {
    if (QGuiApplication::instance() == nullptr) return nullptr;
    if (QThread::currentThread() != QGuiApplication::instance()->thread()) return nullptr;
    return QGuiApplication::clipboard();
}

void ReportFailure(MessageBoxes& boxes, const QString& appTitle) {
    boxes.Show(TranslateText(appTitle),
               TranslateText(QStringLiteral("클립보드 사용을 방지하는 프로그램이 실행중입니다.")),
               mb::OK | mb::ICONINFORMATION | mb::SETFOREGROUND | mb::TOPMOST);
}

// Hands the data to the clipboard and checks that it took it: reading it back must give the
// data just set (on X11 another owner would answer otherwise).
void PlaceOnClipboard(std::unique_ptr<QMimeData> data,
                      const std::function<bool(const QMimeData&)>& holdsIt, MessageBoxes& boxes,
                      const QString& appTitle) {
    bool placed = false;
    try {
        if (QClipboard* clipboard = UsableClipboard()) {
            clipboard->setMimeData(data.release(), QClipboard::Clipboard);
            const QMimeData* current = clipboard->mimeData(QClipboard::Clipboard);
            placed = current != nullptr && holdsIt(*current);
        }
    } catch (const std::exception&) {
        placed = false;
    }
    if (!placed) ReportFailure(boxes, appTitle);
}

}  // namespace

void BitmapToClipboard(const TBitmap& bitmap, MessageBoxes& boxes, const QString& appTitle) {
    std::unique_ptr<QMimeData> data;
    QSize size;
    try {
        const QImage image = BitmapToQImage(bitmap);
        size = image.size();
        data = std::make_unique<QMimeData>();
        data->setImageData(image);
    } catch (const std::exception&) {
        ReportFailure(boxes, appTitle);
        return;
    }
    PlaceOnClipboard(
        std::move(data),
        [size](const QMimeData& current) {
            return current.hasImage() && qvariant_cast<QImage>(current.imageData()).size() == size;
        },
        boxes, appTitle);
}

void TextToClipboard(const QString& text, MessageBoxes& boxes, const QString& appTitle) {
    auto data = std::make_unique<QMimeData>();
    data->setText(text);
    PlaceOnClipboard(
        std::move(data),
        [&text](const QMimeData& current) { return current.hasText() && current.text() == text; },
        boxes, appTitle);
}

}  // namespace dravemo
