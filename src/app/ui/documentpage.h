// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/documentfile.h"

#include <QWidget>

#include <memory>

class EditorBuffer;
class QLabel;
class TColouringView;
class TSourceEditor;

// One tab of the page control: the document's source editor and its hidden file label, whose caption
// is the file's full path or "Not Saved". The page also keeps the modified flag and how its file was
// encoded, so a save writes the same bytes back.
class TDocumentPage : public QWidget
{
    Q_OBJECT
public:
    TDocumentPage(int k, int labelNumber, QWidget *parent = nullptr);
    ~TDocumentPage() override;

    TSourceEditor *editor() const { return m_editor; }
    EditorBuffer &buffer() const { return *m_buffer; }
    TColouringView *colouring() const { return m_colouring; }

    QString fileName() const;
    void setFileName(const QString &fileName);
    bool isUntitled() const;

    bool isModified() const { return m_modified; }
    void setModifiedFlag(bool modified);
    // Puts a whole text into the editor without marking the page modified.
    void loadText(const QString &text);

    // Names the page in the undo list; never reused, so a step of a closed page can reach no other.
    quint64 undoId() const { return m_undoId; }

    FileFormat format() const { return m_format; }
    void setFormat(const FileFormat &format) { m_format = format; }

Q_SIGNALS:
    // The text was changed by typing or by a command since the page was last saved.
    void modifiedByEdit();

private:
    TSourceEditor *m_editor;
    std::unique_ptr<EditorBuffer> m_buffer;
    TColouringView *m_colouring;
    QLabel *m_fileLabel;
    bool m_modified = false;
    bool m_loading = false;
    FileFormat m_format;
    quint64 m_undoId;
};
