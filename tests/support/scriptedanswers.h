// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/sourcebuffer.h"
#include "editor/spelling.h"

#include <QList>
#include <QQueue>
#include <QStringList>

// Answers the spelling check's questions from a script (Cancel once it runs out), recording each
// question and the text selected when it was asked.
struct ScriptedAnswers : Spelling::Answers
{
    const SourceBuffer *buffer = nullptr;
    QQueue<Spelling::Answer> script;
    QList<Spelling::Question> asked;
    QStringList selected;

    Spelling::Answer ask(const Spelling::Question &question) override
    {
        asked.append(question);
        if (buffer)
            selected.append(buffer->selText());
        return script.isEmpty() ? Spelling::Answer { Spelling::Action::Cancel, {} } : script.dequeue();
    }
};
