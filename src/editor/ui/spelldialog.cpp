// SPDX-License-Identifier: GPL-3.0-or-later
#include "spelldialog.h"

#include "base/ui/plaintext.h"
#include <QApplication>
#include <QGridLayout>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

using Spelling::Action;

TSpellDialog::TSpellDialog(QWidget *parent)
    : QDialog(parent)
    , m_context(new QLabel(this))
    , m_changeTo(new QLineEdit(this))
    , m_suggestions(new QListWidget(this))
    , m_change(new QPushButton(QStringLiteral("&Change"), this))
    , m_changeAll(new QPushButton(QStringLiteral("Change A&ll"), this))
{
    setObjectName(QStringLiteral("SpellDialog"));
    setWindowTitle(QStringLiteral("Check Spelling"));

    auto *notFound = new QLabel(QStringLiteral("Not in dictionary:"), this);
    m_context->setObjectName(QStringLiteral("NotInDictionary"));
    m_context->setTextFormat(Qt::RichText);
    m_context->setWordWrap(true);
    m_context->setFrameShape(QFrame::StyledPanel);
    m_context->setFrameShadow(QFrame::Sunken);
    m_context->setAutoFillBackground(true);
    m_context->setBackgroundRole(QPalette::Base);
    m_context->setMargin(6);
    m_context->setMinimumHeight(m_context->fontMetrics().lineSpacing() * 3 + 12);
    m_context->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_context->setTextInteractionFlags(Qt::NoTextInteraction);

    auto *changeToLabel = new QLabel(QStringLiteral("Change &to:"), this);
    changeToLabel->setBuddy(m_changeTo);
    m_changeTo->setObjectName(QStringLiteral("ChangeTo"));
    auto *suggestionsLabel = new QLabel(QStringLiteral("Suggestio&ns:"), this);
    suggestionsLabel->setBuddy(m_suggestions);
    m_suggestions->setObjectName(QStringLiteral("Suggestions"));

    m_change->setObjectName(QStringLiteral("ChangeButton"));
    m_changeAll->setObjectName(QStringLiteral("ChangeAllButton"));
    auto *ignore = new QPushButton(QStringLiteral("&Ignore"), this);
    ignore->setObjectName(QStringLiteral("IgnoreButton"));
    auto *ignoreAll = new QPushButton(QStringLiteral("I&gnore All"), this);
    ignoreAll->setObjectName(QStringLiteral("IgnoreAllButton"));
    auto *add = new QPushButton(QStringLiteral("&Add"), this);
    add->setObjectName(QStringLiteral("AddButton"));
    add->setToolTip(QStringLiteral("Add the word to your personal word list"));
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    cancel->setToolTip(QStringLiteral("Stop checking; the changes made so far stay in the text"));

    auto *buttons = new QVBoxLayout;
    for (QPushButton *button : { m_change, m_changeAll, ignore, ignoreAll, add }) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    m_change->setDefault(true);
    buttons->addSpacing(12);
    cancel->setAutoDefault(false);
    buttons->addWidget(cancel);
    buttons->addStretch();

    auto *grid = new QGridLayout(this);
    grid->addWidget(notFound, 0, 0);
    grid->addWidget(m_context, 1, 0);
    grid->addWidget(changeToLabel, 2, 0);
    grid->addWidget(m_changeTo, 3, 0);
    grid->addWidget(suggestionsLabel, 4, 0);
    grid->addWidget(m_suggestions, 5, 0);
    grid->addLayout(buttons, 1, 1, 5, 1);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnMinimumWidth(0, 320);

    connect(m_change, &QPushButton::clicked, this, [this] { answerWith(Action::Change); });
    connect(m_changeAll, &QPushButton::clicked, this, [this] { answerWith(Action::ChangeAll); });
    connect(ignore, &QPushButton::clicked, this, [this] { answerWith(Action::Ignore); });
    connect(ignoreAll, &QPushButton::clicked, this, [this] { answerWith(Action::IgnoreAll); });
    connect(add, &QPushButton::clicked, this, [this] { answerWith(Action::Add); });
    connect(cancel, &QPushButton::clicked, this, &TSpellDialog::reject);
    connect(m_suggestions, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *item) {
        if (item && (item->flags() & Qt::ItemIsEnabled))
            m_changeTo->setText(item->text());
    });
    // Enter in the list reaches the default button by itself, so only the double-click is wired.
    connect(m_suggestions, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        if (item->flags() & Qt::ItemIsEnabled) {
            m_changeTo->setText(item->text());
            answerWith(Action::Change);
        }
    });
    connect(m_changeTo, &QLineEdit::textChanged, this, &TSpellDialog::updateButtons);
}

QString TSpellDialog::contextHtml(const Spelling::Question &question)
{
    const QString &line = question.line;
    const qsizetype wordLength = question.word.text.size();
    // Tabs would collapse into one space in rich text; they are shown as the space they take up.
    const auto escaped = [](QString part) {
        return part.replace(u'\t', QStringLiteral("    "))
            .toHtmlEscaped()
            .replace(QStringLiteral("  "), QStringLiteral("&nbsp; "));
    };
    return escaped(line.left(question.wordInLine))
        + QStringLiteral("<span style=\"color:#c00000; background-color:#ffe9a8; font-weight:bold\">")
        + escaped(line.mid(question.wordInLine, wordLength)) + QStringLiteral("</span>")
        + escaped(line.mid(question.wordInLine + wordLength));
}

void TSpellDialog::setQuestion(const Spelling::Question &question)
{
    m_answer = {};
    m_context->setText(contextHtml(question));
    m_context->setToolTip(plainToolTip(question.line));
    m_suggestions->clear();
    if (question.suggestions.isEmpty()) {
        auto *none = new QListWidgetItem(QStringLiteral("(no suggestions)"), m_suggestions);
        none->setFlags(Qt::NoItemFlags);
        m_changeTo->setText(question.word.text);
        m_changeTo->selectAll();
        m_changeTo->setFocus();
    } else {
        m_suggestions->addItems(question.suggestions);
        m_suggestions->setCurrentRow(0);
        m_changeTo->setText(question.suggestions.constFirst());
        m_suggestions->setFocus();
    }
    updateButtons();
}

void TSpellDialog::updateButtons()
{
    // An empty replacement would delete the word; that is an edit to make in the text, not here.
    const bool replacement = !m_changeTo->text().isEmpty();
    m_change->setEnabled(replacement);
    m_changeAll->setEnabled(replacement);
}

void TSpellDialog::answerWith(Action action)
{
    if ((action == Action::Change || action == Action::ChangeAll) && m_changeTo->text().isEmpty())
        return;
    m_answer = { action, m_changeTo->text() };
    accept();
}

void TSpellDialog::reject()
{
    m_answer = { Action::Cancel, QString() };
    QDialog::reject();
}

TSpellDialogAnswers::TSpellDialogAnswers(QWidget *parent)
    : m_parent(parent)
{ }

TSpellDialogAnswers::~TSpellDialogAnswers() = default;

void TSpellDialogAnswers::placeClearOfWord()
{
    TSpellDialog &dialog = *m_dialog;
    dialog.adjustSize();
    QRect frame = dialog.frameGeometry();
    if (!m_placed) {
        m_placed = true;
        if (m_parent)
            frame.moveCenter(m_parent->frameGeometry().center());
    }
    if (m_wordRect.isValid() && frame.intersects(m_wordRect.adjusted(-8, -8, 8, 8))) {
        // Below the word when it fits on the screen, else above it.
        const QScreen *screen = QGuiApplication::screenAt(m_wordRect.center());
        const QRect available = screen ? screen->availableGeometry() : QRect();
        if (!available.isValid() || m_wordRect.bottom() + 16 + frame.height() <= available.bottom())
            frame.moveTop(m_wordRect.bottom() + 16);
        else
            frame.moveBottom(m_wordRect.top() - 16);
    }
    dialog.move(frame.topLeft());
}

Spelling::Answer TSpellDialogAnswers::ask(const Spelling::Question &question)
{
    if (!m_dialog)
        m_dialog = std::make_unique<TSpellDialog>(m_parent);
    m_dialog->setQuestion(question);
    placeClearOfWord();
    m_dialog->exec();
    return m_dialog->answer();
}
