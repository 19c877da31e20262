// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// For tests of the main window: a shown, active TMainForm over a test's own settings, answering through
// a scripted prompter. Header-only, as only the window tests link the widgets.
#include "app/installcheck.h"
#include "app/ui/documentpage.h"
#include "app/ui/mainform.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"
#include "formaccess.h"
#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QAction>
#include <QTest>

#include <functional>
#include <memory>

struct FormWindow
{
    TestEnvironment env;
    ScriptedPrompter prompter;
    std::unique_ptr<TMainForm> form;

    // adjust may change the settings before the window reads them.
    explicit FormWindow(const std::function<void(SettingsStore &)> &adjust = {}, QSize size = {})
    {
        SettingsStore settings = env.settings();
        InstallCheck::seedTemplate(settings);
        if (adjust)
            adjust(settings);
        form = std::make_unique<TMainForm>(settings, &prompter);
        form->FormCreate({});
        if (size.isValid())
            form->resize(size);
        form->show();
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form.get()))
            qWarning("the window did not become active");
        form->htmlSource()->setFocus();
    }

    EditorBuffer &buffer() const { return form->activePage()->buffer(); }
    QString text() const { return buffer().text(); }
    TSourceEditor *editor() const { return form->activePage()->editor(); }
    QAction *action(const char *name) const { return namedAction(form, name); }
    void selectText(const QString &what) const
    {
        buffer().select(int(text().indexOf(what)), int(what.size()));
    }
    void typeKeys(const QString &keys) const { QTest::keyClicks(form->htmlSource(), keys); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const
    {
        QTest::keyClick(form->htmlSource(), key, modifiers);
    }
    // The middle of the character at position, in the editor view's coordinates.
    QPoint pointAt(int position) const
    {
        const long byte = buffer().bytePosition(position);
        const int x = int(editor()->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, byte));
        const int y = int(editor()->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, byte));
        const int height = int(editor()->SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, 0UL, 0L));
        return { x + 1, y + height / 2 };
    }
};
