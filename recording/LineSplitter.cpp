// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "recording/LineSplitter.h"

namespace dravemo {

void TLineSplitter::Feed(const QString& text, TLineSink& sink) {
    if (text.isEmpty()) return;
    QString line = FPending;
    QChar previous;
    for (const QChar c : text) {
        if (sink.Terminated()) return;
        sink.NewChar(c);
        if (c == u'\0') {
            // never part of a line
        } else if (c == u'\r' || (c == u'\n' && previous != u'\r')) {
            sink.NewLine(line, otEntireLine);
            line.clear();
        } else if (c != u'\n') {
            line.append(c);
        }
        previous = c;
    }
    FPending = line;
    if (!FPending.isEmpty()) {
        sink.NewLine(FPending, otBeginningOfLine);
        FPartialReported = true;
    }
}

void TLineSplitter::Finish(TLineSink& sink) {
    if (FPending.isEmpty()) return;
    sink.NewLine(std::exchange(FPending, QString()), otEntireLine);
    FPartialReported = false;
}

void TLineSplitter::Echo(const QString& text, TLineSink& sink) {
    QString line = FPending + text;
    while (line.endsWith(u'\n') || line.endsWith(u'\r')) line.chop(1);
    FPending.clear();
    FPartialReported = false;
    sink.NewLine(line, otEntireLine);
}

void TLineSplitter::Clear() {
    FPending.clear();
    FPartialReported = false;
}

}  // namespace dravemo
