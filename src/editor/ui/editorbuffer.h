// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/sourcebuffer.h"

#include <QByteArray>
#include <QPointer>

class QsciScintilla;

// The SourceBuffer of a document page: the text and selection of its Scintilla editor (in UTF-8 mode),
// whose byte positions are mapped to the buffer's UTF-16 positions through Scintilla's UTF-16 line index.
// The editor belongs to the page; the buffer only uses it.
class EditorBuffer : public SourceBuffer
{
public:
    explicit EditorBuffer(QsciScintilla *editor);
    ~EditorBuffer() override;
    EditorBuffer(const EditorBuffer &) = delete;
    EditorBuffer &operator=(const EditorBuffer &) = delete;

    QsciScintilla *editor() const { return m_editor; }

    QString text() const override;
    void setText(const QString &text) override;
    // Puts UTF-8 bytes whose breaks are already CR LF in as they are: the quick way to open a page.
    void setUtf8Text(const QByteArray &crlfUtf8);
    // The whole text as the editor holds it, UTF-8 with CR LF: one copy, no conversion.
    QByteArray utf8Text() const;
    // The editor's bytes from start to end, and their replacement; positions are byte positions.
    QByteArray utf8Range(long start, long end) const;
    void replaceUtf8Range(long start, long end, const QByteArray &bytes);
    int length() const override;
    QString textRange(int start, int end) const override;

    int selStart() const override;
    int selLength() const override;
    void setSelStart(int start) override;
    void setSelLength(int length) override;
    void setSelText(const QString &text) override;

    int findText(const QString &what, int start, int length,
        Search::Options options = Search::NoOptions) const override;

    int lineCount() const override;
    QString line(int index) const override;
    int lineFromPosition(int position) const override;
    int positionFromLine(int line) const override;

    // Byte position in the editor of a character position (clamped), and back. A position inside a
    // surrogate pair has no byte position of its own: it goes to the pair's start, or its end with
    // RoundUp; the character position actually used is returned in `used`.
    enum Rounding { RoundDown, RoundUp };
    long bytePosition(int position, Rounding rounding = RoundDown, int *used = nullptr) const;
    int characterPosition(long byte) const;

private:
    long send(unsigned int message, unsigned long wParam = 0, long lParam = 0) const;
    const char *bytes(long start, long end) const;
    QString decode(long start, long end) const;

    QPointer<QsciScintilla> m_editor;
};
