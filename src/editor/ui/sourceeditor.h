// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// QScintilla's headers declare their signals and slots with the keywords this project switches off.
// Include them through this header, before any other QScintilla header.
#define signals Q_SIGNALS
#define slots Q_SLOTS
#include <Qsci/qsciscintilla.h>
#undef signals
#undef slots

#include <QByteArray>
#include <QColor>

// The source editor of a document page: UTF-8 text with CR LF breaks, plain text in one style until the
// colouring engine styles it, and no undo of its own (the program keeps one undo list for every change).
// Owned by its page; commands reach its text through an EditorBuffer.
class TSourceEditor : public QsciScintilla
{
    Q_OBJECT
public:
    explicit TSourceEditor(QWidget *parent = nullptr);

    using QsciScintilla::setFont;
    void setFont(const QString &family, int pointSize);
    void setColours(QColor text, QColor background);
    void setWordWrap(bool on);
    bool wordWrap() const;

    // Replaces the whole text with UTF-8 bytes whose breaks are already CR LF, without converting them;
    // the caret goes to the start and the view to the top.
    void loadUtf8(const QByteArray &crlfUtf8);
    // The same for any Scintilla editor, for buffers that wrap an editor they did not configure.
    static void loadUtf8(QsciScintillaBase *editor, const QByteArray &crlfUtf8);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
