// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include "recording/ConsoleTypes.h"

namespace dravemo {

// Where the line splitter's results go.
class TLineSink {
public:
    virtual ~TLineSink() = default;
    virtual void NewChar(QChar c) = 0;
    virtual void NewLine(const QString& line, TOutputType type) = 0;
    // A pass stops at once when the run has been stopped.
    virtual bool Terminated() const = 0;
};

// Cuts the child's decoded output into lines, one pass over the waiting text at a time.
// CR ends a line; LF does too unless it directly follows a CR of the same pass; NUL is
// dropped from lines. The beginning of an unfinished line is reported after each pass and
// kept for the next.
class TLineSplitter {
public:
    // One pass over `text`: every character to NewChar, every line end to an entire line, the
    // rest to a beginning of line. A stop drops the rest of the pass.
    void Feed(const QString& text, TLineSink& sink);
    // Reports the unfinished line, if any, as an entire line and forgets it.
    void Finish(TLineSink& sink);
    // Text sent to the child, joined to the unfinished line and reported as an entire line.
    void Echo(const QString& text, TLineSink& sink);
    void Clear();
    const QString& Pending() const { return FPending; }
    bool PartialReported() const { return FPartialReported; }

private:
    QString FPending;
    bool FPartialReported = false;
};

}  // namespace dravemo
