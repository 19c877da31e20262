// SPDX-License-Identifier: GPL-3.0-or-later
#include "redirectform.h"

#include "base/productstrings.h"
#include "base/prompter.h"
#include "dialogs/redirectmarkup.h"
#include "editor/editorsettings.h"
#include "editor/sourcebuffer.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/editorhost.h"
#include "editor/ui/sourceeditor.h"

#include <QEvent>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

bool TRedirectForm::run(EditorHost &host)
{
    if (!host.activeBuffer())
        return false;
    TRedirectForm form(host, host.dialogParent());
    return form.exec() == QDialog::Accepted;
}

TRedirectForm::TRedirectForm(EditorHost &host, QWidget *parent)
    : TDialogBase(host, parent, QStringLiteral("Redirect Wizard"), QStringLiteral("menus.html"))
    , m_editorHost(host)
{
    setObjectName(QStringLiteral("RedirectForm"));
    m_url = new QLineEdit(QStringLiteral("http://"), this);
    m_url->setObjectName(QStringLiteral("URL"));
    m_time = new QSpinBox(this);
    m_time->setObjectName(QStringLiteral("Time"));
    m_time->setRange(0, 9999);
    m_time->setSuffix(QStringLiteral(" s"));

    if (EditorBuffer *buffer = host.activeBuffer()) {
        if (const std::optional<RedirectMarkup::Redirect> old
            = RedirectMarkup::readRedirect(buffer->text())) {
            if (old->seconds)
                m_time->setValue(*old->seconds);
            m_url->setText(old->url);
        }
    }

    auto *ok = buttonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel)->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    buttonBox()->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Cancel"));
    // OK checks the address before the dialog may close.
    disconnect(buttonBox(), &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttonBox(), &QDialogButtonBox::accepted, this, &TRedirectForm::OKButtonClick);

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Load this address:"), m_url);
    fields->addRow(QStringLiteral("&After:"), m_time);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addStretch();
    layout->addWidget(buttonBox());
    setMinimumWidth(380);
    resize(sizeHint().expandedTo(QSize(380, 120)));

    m_url->installEventFilter(this);
    m_url->setFocus();
    m_url->end(false);
}

bool TRedirectForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_url && event->type() == QEvent::FocusIn && m_firstFocus) {
        m_firstFocus = false;
        // The window's first focus selects the whole address; the user mostly types on after the
        // preset "http://".
        QTimer::singleShot(0, m_url, [this] {
            m_url->deselect();
            m_url->end(false);
        });
    }
    return TDialogBase::eventFilter(watched, event);
}

void TRedirectForm::OKButtonClick()
{
    const QString url = m_url->text().trimmed();
    if (url.isEmpty()) {
        m_editorHost.prompter().inform(
            Product::caption(), QStringLiteral("You must enter a URL to load"), PromptIcon::Information);
        return;
    }
    const int seconds = m_time->value();
    const TagCommands::TagStyle style = m_editorHost.editorSettings().tagStyle();
    writeMarkup(m_editorHost, QStringLiteral("Redirection"), [&](SourceBuffer &buffer) {
        const RedirectMarkup::Written written = RedirectMarkup::writeRedirect(buffer, seconds, url, style);
        return WrittenRange { written.start, written.end };
    });
    accept();
}
