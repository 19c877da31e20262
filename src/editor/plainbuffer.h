// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/sourcebuffer.h"

#include <vector>

// A SourceBuffer over a QString, for tests and for hidden scratch editors that have no widget. It keeps
// an index of line starts, rebuilt on first use after a change, so line look-ups on big texts stay cheap.
class PlainBuffer : public SourceBuffer
{
public:
    PlainBuffer() = default;
    explicit PlainBuffer(const QString &text);

    QString text() const override { return m_text; }
    void setText(const QString &text) override;
    int length() const override { return int(m_text.size()); }
    QString textRange(int start, int end) const override;

    int selStart() const override { return m_selStart; }
    int selLength() const override { return m_selLength; }
    void setSelStart(int start) override;
    void setSelLength(int length) override;
    void setSelText(const QString &text) override;

    int lineCount() const override;
    QString line(int index) const override;
    int lineFromPosition(int position) const override;
    int positionFromLine(int line) const override;

private:
    bool insidePair(int position) const;
    const std::vector<int> &lineStarts() const;

    QString m_text;
    int m_selStart = 0;
    int m_selLength = 0;
    mutable std::vector<int> m_lineStarts; // empty until needed after a change
};
