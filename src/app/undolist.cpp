// SPDX-License-Identifier: GPL-3.0-or-later
#include "undolist.h"

#include "editor/sourcebuffer.h"

#include <QSet>

#include <algorithm>

UndoText UndoText::fromString(const QString &text)
{
    UndoText result;
    result.m_string = text;
    return result;
}

UndoText UndoText::fromUtf8(const QByteArray &crlfUtf8)
{
    UndoText result;
    result.m_utf8 = crlfUtf8;
    result.m_isUtf8 = true;
    return result;
}

QString UndoText::toString() const
{
    return m_isUtf8 ? QString::fromUtf8(m_utf8) : m_string;
}

QByteArray UndoText::toUtf8() const
{
    return m_isUtf8 ? m_utf8 : m_string.toUtf8();
}

const void *UndoText::data() const
{
    return m_isUtf8 ? static_cast<const void *>(m_utf8.constData())
                    : static_cast<const void *>(m_string.constData());
}

qsizetype UndoText::dataBytes() const
{
    return m_isUtf8 ? m_utf8.size() : m_string.size() * qsizetype(sizeof(QChar));
}

bool UndoText::operator==(const UndoText &other) const
{
    if (m_isUtf8 != other.m_isUtf8)
        return toUtf8() == other.toUtf8();
    if (dataBytes() != other.dataBytes())
        return false;
    // Shared data is the common case when comparing snapshots; it needs no pass over the text.
    if (data() == other.data())
        return true;
    return m_isUtf8 ? m_utf8 == other.m_utf8 : m_string == other.m_string;
}

UndoState undoStateOf(const SourceBuffer &buffer)
{
    return { UndoText::fromString(buffer.text()), buffer.selStart(), buffer.selLength() };
}

void applyUndoRestore(const UndoRestore &restore, SourceBuffer &buffer)
{
    if (restore.state.keepsText) {
        buffer.setText(restore.state.text.toString());
    } else {
        QByteArray text = buffer.text().toUtf8();
        for (const UndoEdit &edit : restore.edits)
            text.replace(edit.position, edit.removed.size(), edit.inserted);
        buffer.setText(QString::fromUtf8(text));
    }
    buffer.select(restore.state.selStart, restore.state.selLength);
}

UndoEdit undoEditBetween(const QByteArray &before, const QByteArray &after)
{
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype start = 0;
    while (start < shorter && before.at(start) == after.at(start))
        ++start;
    qsizetype end = 0;
    while (end < shorter - start && before.at(before.size() - 1 - end) == after.at(after.size() - 1 - end))
        ++end;
    return { start, before.mid(start, before.size() - start - end),
        after.mid(start, after.size() - start - end) };
}

namespace {

// Joins an edit to the one before it where they continue each other (keys typed one after another,
// Backspace or Delete held), so a typing burst keeps a few edits, not one per key.
bool mergeEdit(UndoEdit &last, const UndoEdit &next)
{
    const qsizetype lastEnd = last.position + last.inserted.size();
    if (next.removed.isEmpty() && next.position == lastEnd) {
        last.inserted.append(next.inserted);
        return true;
    }
    if (!next.inserted.isEmpty())
        return false;
    // Backspace over what this burst typed.
    if (next.position + next.removed.size() == lastEnd && next.removed.size() <= last.inserted.size()
        && last.inserted.endsWith(next.removed)) {
        last.inserted.chop(next.removed.size());
        return true;
    }
    if (!last.inserted.isEmpty())
        return false;
    // Backspace before the removed text, or Delete after it.
    if (next.position + next.removed.size() == last.position) {
        last.removed.prepend(next.removed);
        last.position = next.position;
        return true;
    }
    if (next.position == last.position) {
        last.removed.append(next.removed);
        return true;
    }
    return false;
}

// The edits that take a text back from after `edits` to before them.
QList<UndoEdit> reversed(const QList<UndoEdit> &edits)
{
    QList<UndoEdit> result;
    result.reserve(edits.size());
    for (qsizetype i = edits.size() - 1; i >= 0; --i)
        result.append({ edits.at(i).position, edits.at(i).inserted, edits.at(i).removed });
    return result;
}

} // namespace

void UndoList::recordStep(UndoPageId page, const UndoState &before, const QString &description)
{
    // Keys typed after a command form a step of their own, so undoing the command never takes them too.
    endTypingBurst();
    appendStep(page, before, description);
}

void UndoList::appendStep(UndoPageId page, const UndoState &before, const QString &description)
{
    m_steps.resize(m_position);
    m_steps.append({ page, description, before, {}, {} });
    if (m_steps.size() > maxSteps)
        m_steps.removeFirst();
    m_position = m_steps.size();
}

QString UndoList::undoDescription() const
{
    return canUndo() ? m_steps.at(m_position - 1).description : QString();
}

QString UndoList::redoDescription() const
{
    return canRedo() ? m_steps.at(m_position).description : QString();
}

QString UndoList::undoHint() const
{
    return canUndo() ? QStringLiteral("Undo ") + undoDescription() : QString();
}

QString UndoList::redoHint() const
{
    return canRedo() ? QStringLiteral("Redo ") + redoDescription() : QString();
}

std::optional<UndoPageId> UndoList::undoPage() const
{
    if (!canUndo())
        return std::nullopt;
    return m_steps.at(m_position - 1).page;
}

std::optional<UndoRestore> UndoList::undo(UndoPageId page, const UndoState &current)
{
    if (undoPage() != page)
        return std::nullopt;
    endTypingBurst();
    Step &step = m_steps[m_position - 1];
    if (!step.before.keepsText) {
        step.after = UndoState::byEdits(current.selStart, current.selLength);
        --m_position;
        UndoRestore restore { page, step.before, step.description };
        restore.edits = reversed(step.edits);
        return restore;
    }
    step.after = current;
    // The page's next step, already undone, restored the very text Redo will need: keep one copy of it.
    // Undoing every step of one page then holds each text once, as a single list of snapshots would.
    for (qsizetype i = m_position; i < m_steps.size(); ++i) {
        const UndoText &later = m_steps.at(i).before.text;
        if (m_steps.at(i).page != page)
            continue;
        if (later.isUtf8() == current.text.isUtf8() && later == current.text)
            step.after.text = later;
        break;
    }
    --m_position;
    return UndoRestore { page, step.before, step.description };
}

std::optional<UndoPageId> UndoList::redoPage() const
{
    if (!canRedo())
        return std::nullopt;
    return m_steps.at(m_position).page;
}

std::optional<UndoRestore> UndoList::redo(UndoPageId page)
{
    if (redoPage() != page)
        return std::nullopt;
    endTypingBurst();
    Step &step = m_steps[m_position];
    UndoRestore restore { page, step.after, step.description };
    if (!step.before.keepsText)
        restore.edits = step.edits;
    // The page holds this text again; a later Undo reads it afresh.
    step.after = {};
    ++m_position;
    return restore;
}

void UndoList::removePageRecords(UndoPageId page)
{
    for (qsizetype i = m_steps.size() - 1; i >= 0; --i) {
        if (m_steps.at(i).page != page)
            continue;
        if (i < m_position)
            --m_position;
        m_steps.removeAt(i);
    }
    if (m_typingPage == page)
        endTypingBurst();
}

void UndoList::discardRedo()
{
    m_steps.resize(m_position);
}

void UndoList::noteEdit(UndoPageId page, const UndoEdit &edit)
{
    if (edit.removed.isEmpty() && edit.inserted.isEmpty())
        return;
    for (qsizetype i = m_position; i < m_steps.size(); ++i) {
        if (m_steps.at(i).page == page) {
            discardRedo();
            break;
        }
    }
    for (qsizetype i = m_position - 1; i >= 0; --i) {
        Step &step = m_steps[i];
        if (step.page != page)
            continue;
        // A snapshot step restores its whole text whatever happened since.
        if (!step.before.keepsText && (step.edits.isEmpty() || !mergeEdit(step.edits.last(), edit)))
            step.edits.append(edit);
        return;
    }
}

qsizetype UndoList::heldTextBytes() const
{
    QSet<const void *> counted;
    qsizetype bytes = 0;
    const auto count = [&](const UndoText &text) {
        if (text.dataBytes() > 0 && !counted.contains(text.data())) {
            counted.insert(text.data());
            bytes += text.dataBytes();
        }
    };
    for (const Step &step : m_steps) {
        count(step.before.text);
        count(step.after.text);
        for (const UndoEdit &edit : step.edits)
            bytes += edit.removed.size() + edit.inserted.size();
    }
    return bytes;
}
