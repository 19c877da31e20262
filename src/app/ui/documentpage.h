// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/document.h"

#include <QWidget>

#include <memory>

class EditorBuffer;
class QLabel;
class TColouringView;
class TSourceEditor;

// One tab of the page control: the document's source editor, the document it shows (file, encoding,
// modified flag) and the hidden file label of the old design, which only mirrors the document's file:
// its full path or "Not Saved".
class TDocumentPage : public QWidget
{
    Q_OBJECT
public:
    TDocumentPage(int k, int labelNumber, QWidget *parent = nullptr);
    ~TDocumentPage() override;

    TSourceEditor *editor() const { return m_editor; }
    EditorBuffer &buffer() const { return *m_buffer; }
    TColouringView *colouring() const { return m_colouring; }

    const Document &document() const { return m_document; }

    // The path, or "Not Saved" for a page never saved.
    QString fileName() const { return m_document.displayName(); }
    void setFileName(const QString &path);
    bool isUntitled() const { return m_document.isUntitled(); }

    bool isModified() const { return m_document.isModified(); }
    void setModifiedFlag(bool modified) { m_document.setModified(modified); }
    // Puts a whole text into the editor without marking the page modified.
    void loadText(const QString &text);

    // Names the page in the undo list; never reused, so a step of a closed page can reach no other.
    DocumentId undoId() const { return m_document.id(); }

    FileFormat format() const { return m_document.format(); }
    void setFormat(const FileFormat &format) { m_document.setFormat(format); }

Q_SIGNALS:
    // The text was changed by typing or by a command since the page was last saved.
    void modifiedByEdit();

private:
    TSourceEditor *m_editor;
    std::unique_ptr<EditorBuffer> m_buffer;
    TColouringView *m_colouring;
    QLabel *m_fileLabel;
    QLabel *m_wrapNote; // shown while a long line keeps the page unwrapped
    Document m_document;
    bool m_loading = false;
};
