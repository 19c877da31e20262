// SPDX-License-Identifier: GPL-3.0-or-later
#include "documentpage.h"

#include "base/productstrings.h"
#include "editor/ui/colouringview.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"

#include <QLabel>
#include <QVBoxLayout>

TDocumentPage::TDocumentPage(int k, int labelNumber, QWidget *parent)
    : QWidget(parent)
    , m_editor(new TSourceEditor(this))
    , m_buffer(std::make_unique<EditorBuffer>(m_editor))
    , m_colouring(new TColouringView(m_editor))
    , m_fileLabel(new QLabel(Product::notSaved(), this))
    , m_wrapNote(new QLabel(
          QStringLiteral("This page has a line too long to wrap quickly, so it is shown without word wrap."),
          this))
{
    setObjectName(QStringLiteral("Page") + QString::number(k));
    m_editor->setObjectName(QStringLiteral("RichEdit") + QString::number(k));
    m_fileLabel->setObjectName(QStringLiteral("Label") + QString::number(labelNumber));
    m_fileLabel->hide();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_editor);
    m_wrapNote->setObjectName(QStringLiteral("WrapNote"));
    m_wrapNote->setContentsMargins(6, 3, 6, 3);
    m_wrapNote->setAutoFillBackground(true);
    m_wrapNote->setBackgroundRole(QPalette::ToolTipBase);
    m_wrapNote->setForegroundRole(QPalette::ToolTipText);
    m_wrapNote->setVisible(m_editor->wrapHeldBack());
    layout->addWidget(m_wrapNote);
    connect(m_editor, &TSourceEditor::wrapHeldBackChanged, m_wrapNote, &QWidget::setVisible);

    // Every insertion or deletion, typed or written by a command, marks the page modified. The editor's
    // own save point cannot tell: it is kept by the undo history, which is switched off.
    connect(m_editor, &QsciScintillaBase::SCN_MODIFIED, this,
        [this](int, int type, const char *, int, int, int, int, int, int, int) {
            if ((type & (QsciScintillaBase::SC_MOD_BEFOREINSERT | QsciScintillaBase::SC_MOD_BEFOREDELETE))
                && !m_document.isModified() && !m_loading) {
                m_document.setModified(true);
                Q_EMIT modifiedByEdit();
            }
        });
}

TDocumentPage::~TDocumentPage() = default;

void TDocumentPage::setFileName(const QString &path)
{
    m_document.setPath(path);
    m_fileLabel->setText(m_document.displayName());
}

void TDocumentPage::loadText(const QString &text)
{
    m_loading = true;
    m_buffer->setText(text);
    m_loading = false;
}
