// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/documentfile.h"

#include <QString>

#include <optional>

// Names a document for the program's run: the undo list and the current-tag editor keep it to find their
// page again. Never reused, so a closed page's id reaches no other page.
using DocumentId = quint64;

// One open document as the commands see it: where its file is (none until it is first saved), how that
// file was encoded, and whether the text differs from it. The page that shows the document owns it.
class Document
{
public:
    Document();

    DocumentId id() const { return m_id; }

    const std::optional<QString> &path() const { return m_path; }
    void setPath(const QString &path) { m_path = path; }
    bool isUntitled() const { return !m_path.has_value(); }
    // The path, or "Not Saved" for a document never saved: what the page's file label shows.
    QString displayName() const;
    // The folder of the file, with no trailing "/"; empty for a document never saved.
    QString folder() const;

    const FileFormat &format() const { return m_format; }
    void setFormat(const FileFormat &format) { m_format = format; }

    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }

private:
    DocumentId m_id;
    std::optional<QString> m_path;
    FileFormat m_format;
    bool m_modified = false;
};
