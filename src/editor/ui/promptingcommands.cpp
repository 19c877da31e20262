// SPDX-License-Identifier: GPL-3.0-or-later
#include "promptingcommands.h"

#include "base/errorguard.h"
#include "base/productstrings.h"
#include "base/programfolder.h"
#include "base/prompter.h"
#include "base/settingsstore.h"
#include "editor/editorsettings.h"
#include "editor/tagdatabase.h"
#include "editor/ui/editorhost.h"

#include "editor/stylelist.h"
#include "editor/ui/colouringview.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int tickerIntervalMs = 150;

int slot(PromptList which)
{
    return int(which) - 1;
}

TPromptList::Kind kindOf(PromptList which)
{
    switch (which) {
    case PromptList::Property:
        return TPromptList::Kind::Property;
    case PromptList::Value:
        return TPromptList::Kind::Value;
    case PromptList::Font:
        return TPromptList::Kind::Font;
    case PromptList::Style:
        return TPromptList::Kind::Style;
    case PromptList::Color:
        return TPromptList::Kind::Color;
    case PromptList::Tag:
    case PromptList::None:
        break;
    }
    return TPromptList::Kind::Tag;
}

constexpr std::array allLists { PromptList::Tag, PromptList::Property, PromptList::Value, PromptList::Font,
    PromptList::Style, PromptList::Color };

} // namespace

PromptingCommands::PromptingCommands(EditorHost &host)
    : m_host(host)
    , m_prompting(host.tagDatabase())
    , m_tagStructureTimer(new QTimer(this))
{
    static const char *const names[]
        = { "TagList", "PropertyList", "ValueList", "FontList", "StyleList", "ColorList" };
    for (PromptList which : allLists) {
        auto *list = new TPromptList(kindOf(which), host.dialogParent());
        list->setObjectName(QString::fromLatin1(names[slot(which)]));
        connect(list, &TPromptList::rowClicked, this, [this, which](int row) {
            if (m_prompting.visibleList() == which)
                m_prompting.setSelection(row);
        });
        connect(list, &TPromptList::chosen, this, &PromptingCommands::chooseFromList);
        m_lists[size_t(slot(which))] = list;
    }
    m_tagStructureTimer->setObjectName(QStringLiteral("TagStructureTimer"));
    m_tagStructureTimer->setInterval(tickerIntervalMs);
    connect(m_tagStructureTimer, &QTimer::timeout, this, &PromptingCommands::TagStructureTimerTimer);
}

PromptingCommands::~PromptingCommands() = default;

TPromptList *PromptingCommands::list(PromptList which) const
{
    return which == PromptList::None ? nullptr : m_lists[size_t(slot(which))];
}

void PromptingCommands::setColorChooser(const TPromptList::ColorChooser &chooser)
{
    list(PromptList::Color)->setColorChooser(chooser);
}

PromptingOptions PromptingCommands::options() const
{
    const EditorSettings &settings = m_host.editorSettings();
    PromptingOptions options;
    options.tagCompletion = settings.tagCompletion;
    options.tagStructure = settings.tagStructure;
    options.style.upper = settings.upper;
    options.style.names = settings.names;
    options.style.logicalFonts = settings.logicalFonts;
    return options;
}

bool PromptingCommands::keyPress(const QKeyEvent *event)
{
    TSourceEditor *editor = m_host.activeEditor();
    if (!editor || editor->isReadOnly())
        return false;
    // What was being typed belongs to the page it was typed in.
    if (m_host.activeDocument()->id() != m_document) {
        m_prompting.reset();
        m_document = m_host.activeDocument()->id();
        stopTicker();
        sync(false);
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;

    if (m_prompting.visibleList() != PromptList::None) {
        const int pageRows = list(m_prompting.visibleList())->rowsPerPage();
        switch (event->key()) {
        case Qt::Key_Up:
            moveSelection(-1);
            return true;
        case Qt::Key_Down:
            moveSelection(1);
            return true;
        case Qt::Key_PageUp:
            moveSelection(-pageRows);
            return true;
        case Qt::Key_PageDown:
            moveSelection(pageRows);
            return true;
        case Qt::Key_Escape:
            hideLists();
            return true;
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
            // The caret leaves the typed prefix: a choice could no longer replace it.
            hideLists();
            return false;
        default:
            break;
        }
    }

    QChar key;
    switch (event->key()) {
    case Qt::Key_Backspace:
        key = QChar(Prompting::backspace);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        key = QLatin1Char('\r');
        break;
    case Qt::Key_Tab:
        key = QLatin1Char('\t');
        break;
    default: {
        const QString text = event->text();
        if (text.size() != 1 || !text.at(0).isPrint())
            return false;
        key = text.at(0);
    }
    }

    m_prompting.setOptions(options());
    Prompting::KeyOutcome out;
    runGuarded(m_host.prompter(), m_host.editorBusy(), 23, [&] {
        const EditorBusy::Hold hold(m_host.editorBusy());
        const TColouringView *colouring = m_host.activeColouring();
        m_prompting.setStateAt([colouring](int position) { return colouring->stateAt(position); });
        out = m_prompting.keyPress(
            *m_host.activeBuffer(), key, [colouring](int position) { return colouring->classAt(position); });
        m_prompting.setStateAt({});
    });
    applyEdit(out.editStart, out.editEnd);
    if (out.ticker == Prompting::KeyOutcome::Ticker::Start)
        startTicker(out.tickerText);
    else if (out.ticker == Prompting::KeyOutcome::Ticker::Stop)
        stopTicker();
    if (out.choose) {
        chooseFromList();
        return true;
    }
    sync(out.listOpened);
    return out.swallow;
}

void PromptingCommands::hideLists()
{
    m_prompting.hideLists();
    sync(false);
}

void PromptingCommands::chooseFromList()
{
    TSourceEditor *editor = m_host.activeEditor();
    TPromptList *shown = list(m_prompting.visibleList());
    if (!editor || !shown)
        return;
    Prompting::ChoiceOutcome out;
    runGuarded(m_host.prompter(), m_host.editorBusy(), 23, [&] {
        m_prompting.setOptions(options());
        out = m_prompting.choose(*m_host.activeBuffer(), [shown]() -> std::optional<TColor> {
            const std::optional<QColor> colour = shown->askColour(Qt::black);
            return colour ? std::optional<TColor>(fromQColor(*colour)) : std::nullopt;
        });
    });
    applyEdit(out.editStart, out.editEnd);
    sync(false);
    editor->setFocus();
}

void PromptingCommands::applyEdit(int start, int end)
{
    if (start < 0 || end < start)
        return;
    m_host.FormatTags(start, end);
}

void PromptingCommands::moveSelection(int rows)
{
    const int current = m_prompting.selection();
    m_prompting.setSelection(current < 0
            ? (rows > 0 ? 0 : int(m_prompting.items(m_prompting.visibleList()).size()) - 1)
            : current + rows);
    sync(false);
}

void PromptingCommands::sync(bool opened)
{
    const PromptList visible = m_prompting.visibleList();
    for (PromptList which : allLists) {
        if (which != visible)
            list(which)->hide();
    }
    TPromptList *shown = list(visible);
    if (!shown || !m_host.activeEditor())
        return;
    if (opened || shown->isHidden()) {
        fill(shown, visible);
        placeList(shown);
        shown->show();
        shown->raise();
    }
    shown->setSelectedRow(m_prompting.selection());
}

void PromptingCommands::fill(TPromptList *list, PromptList which)
{
    if (which == PromptList::Font && !m_fontsLoaded) {
        // Families installed by several foundries come as "Name [foundry]"; a page names the family only.
        QStringList families;
        for (QString family : QFontDatabase::families()) {
            if (const qsizetype foundry = family.indexOf(QStringLiteral(" [")); foundry > 0)
                family.truncate(foundry);
            if (!families.contains(family))
                families.append(family);
        }
        m_prompting.setFontFamilies(families);
        m_fontsLoaded = true;
    }
    if (which == PromptList::Style) {
        m_prompting.setStyleNames(
            StyleLists::rebuild(*m_host.activeBuffer(), m_host.activeDocument()->folder()).list);
    }
    const QStringList items = m_prompting.items(which);
    if (which == PromptList::Tag) {
        // The tag list never changes: its pictures are read once.
        if (list->count() == items.size())
            return;
        QList<QByteArray> images;
        const TagDatabase &tags = m_host.tagDatabase();
        for (int i = 0; i < items.size(); ++i)
            images.append(tags.tag(i) ? tags.tag(i)->image : QByteArray());
        list->setEntries(items, images);
        return;
    }
    list->setEntries(items);
}

void PromptingCommands::placeList(TPromptList *list)
{
    TSourceEditor *editor = m_host.activeEditor();
    const EditorBuffer &buffer = *m_host.activeBuffer();
    const long byte = buffer.bytePosition(buffer.selStart());
    const int x = int(editor->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, byte));
    const int y = int(editor->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, byte));
    const long line
        = editor->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(byte));
    const int lineHeight
        = int(editor->SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, static_cast<unsigned long>(line)));
    QWidget *window = m_host.dialogParent();
    const QPoint caret = editor->viewport()->mapTo(window, QPoint(x, y));

    const QSize size = list->preferredSize();
    list->resize(size);
    int left = caret.x() + 10;
    int top = caret.y() + lineHeight;
    // Kept inside the window: past its right edge the list moves left and above the line; past the area
    // above the status bar (and any bottom dock) it moves above the line.
    const int right = window->width();
    const int bottom = m_host.pageArea().bottom() + 1;
    if (left + size.width() > right) {
        left = right - size.width();
        top -= size.height() + lineHeight;
    }
    if (top + size.height() > bottom)
        top -= size.height() + lineHeight;
    list->move(std::max(0, left), std::max(0, top));
}

QLabel *PromptingCommands::tickerPanel() const
{
    return m_host.statusPanel(5);
}

void PromptingCommands::startTicker(const QString &structure)
{
    QLabel *panel = tickerPanel();
    if (!panel)
        return;
    // The text enters from the right: as many blanks as fill the panel go first.
    const int blank = std::max(1, panel->fontMetrics().horizontalAdvance(QLatin1Char(' ')));
    panel->setText(QString(panel->width() / blank, QLatin1Char(' ')) + structure);
    m_tagStructureTimer->start();
}

void PromptingCommands::stopTicker()
{
    if (QLabel *panel = tickerPanel())
        panel->clear();
    m_tagStructureTimer->stop();
}

void PromptingCommands::TagStructureTimerTimer()
{
    if (QLabel *panel = tickerPanel())
        panel->setText(Prompting::tickerStep(panel->text()));
}
