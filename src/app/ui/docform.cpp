// SPDX-License-Identifier: GPL-3.0-or-later
#include "docform.h"

#include "base/prompter.h"
#include "base/settingsstore.h"
#include "colorbox.h"
#include "documentcommands.h"
#include "documenthost.h"
#include "editor/editorsettings.h"
#include "editor/paths.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"

#include <QAudioOutput>
#include <QCheckBox>
#include <QColorDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMediaPlayer>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QString cased(const QString &text, bool upper)
{
    const QLocale locale;
    return upper ? locale.toUpper(text) : locale.toLower(text);
}

QIcon swatch(TColor colour)
{
    QPixmap pixmap(24, 16);
    pixmap.fill(toQColor(colour));
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

} // namespace

TDocForm::TDocForm(DocumentHost &host, DocumentCommands &documents, QWidget *parent)
    : QDialog(parent)
    , m_host(host)
    , m_documents(documents)
    , m_options(DocumentOptions::read(*host.activeBuffer()))
    , m_pages(new QStackedWidget(this))
    , Back(new QPushButton(QStringLiteral("< Back"), this))
    , Next(new QPushButton(QStringLiteral("&Next >"), this))
    , Finish(new QPushButton(QStringLiteral("Finish"), this))
{
    setObjectName(QStringLiteral("DocForm"));
    setWindowTitle(QStringLiteral("Document Options Wizard"));
    m_pages->addWidget(optionsPage());
    m_pages->addWidget(colorsPage());
    m_pages->addWidget(soundPage());

    Back->setObjectName(QStringLiteral("Back"));
    Next->setObjectName(QStringLiteral("Next"));
    Finish->setObjectName(QStringLiteral("Finish"));
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Cancel"));
    connect(Back, &QPushButton::clicked, this, &TDocForm::BackClick);
    connect(Next, &QPushButton::clicked, this, &TDocForm::NextClick);
    connect(Finish, &QPushButton::clicked, this, &TDocForm::FinishClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *button : { Back, Next, Finish, cancel })
        buttons->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);
    setMinimumWidth(560);
    updateButtons();
}

TDocForm::~TDocForm()
{
    if (Player)
        Player->stop();
}

QString TDocForm::documentFolder() const
{
    const Document *document = m_host.activeDocument();
    return document ? document->folder() : QString();
}

QString TDocForm::existingFile(const QString &name) const
{
    const QString typed = name.trimmed();
    if (typed.isEmpty())
        return QString();
    // A relative name means the page's folder, never the folder the program was started in.
    if (QFileInfo(typed).isAbsolute() && QFileInfo(typed).isFile())
        return typed;
    const QString folder = documentFolder();
    if (!folder.isEmpty() && !QFileInfo(typed).isAbsolute()) {
        const QString resolved = Paths::GetAbsoluteDir(folder + u'/', Paths::ChangeSlashes(typed, true));
        if (QFileInfo(resolved).isFile())
            return resolved;
    }
    return QString();
}

QWidget *TDocForm::optionsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Options"));
    const bool saved = !documentFolder().isEmpty();
    Title = new QLineEdit(page);
    Title->setObjectName(QStringLiteral("Title"));
    Title->setToolTip(QStringLiteral("Title of the document (displayed in the title bar of the browser)"));
    QLineEdit *box = m_documents.docTitle();
    Title->setEnabled(box->isEnabled());
    if (box->isEnabled())
        Title->setText(box->text());

    Background = new QLineEdit(page);
    Background->setObjectName(QStringLiteral("Background"));
    auto *browse = new QPushButton(QStringLiteral("Browse..."), page);
    connect(browse, &QPushButton::clicked, this, [this] {
        FileRequest request;
        request.title = QStringLiteral("Browse for Background");
        request.defaultSuffix = QStringLiteral(".gif");
        // clang-format off
        request.filter = QStringLiteral("Gif files (*.gif)|*.gif|JPEG files (*.jpg)|*.jpg|Bitmap files (*.bmp)|*.bmp|Windows Meta files (*.wmf)|*.wmf|All graphics files|*.gif;*.jpg;*.bmp;*.wmf|All files (*.*)|*.*");
        // clang-format on
        request.proposedName = existingFile(Background->text());
        request.directory = documentFolder();
        if (const std::optional<QString> chosen = m_host.prompter().openFileName(request)) {
            Background->setText(*chosen);
            showBackground();
        }
    });
    connect(Background, &QLineEdit::editingFinished, this, &TDocForm::showBackground);
    BackImage = new QLabel(page);
    BackImage->setObjectName(QStringLiteral("BackImage"));
    BackImage->setFixedSize(96, 96);
    BackImage->setFrameShape(QFrame::StyledPanel);
    BackImage->setAlignment(Qt::AlignCenter);
    Fixed = new QCheckBox(QStringLiteral("Fix Background"), page);
    Fixed->setObjectName(QStringLiteral("Fixed"));
    Fixed->setChecked(m_options.fixed);
    Relative = new QCheckBox(QStringLiteral("Use Relative Filename"), page);
    Relative->setObjectName(QStringLiteral("Relative"));
    Relative->setEnabled(saved);
    Relative->setChecked(saved);
    const auto margin = [page](const QString &name, int value) {
        auto *spin = new QSpinBox(page);
        spin->setObjectName(name);
        spin->setRange(0, 1000);
        spin->setSuffix(QStringLiteral(" pixels"));
        spin->setValue(value);
        return spin;
    };
    LeftMargin = margin(QStringLiteral("LeftMargin"), m_options.leftMargin);
    TopMargin = margin(QStringLiteral("TopMargin"), m_options.topMargin);

    // A background named beside a saved page shows as its full path.
    Background->setText(m_options.background);
    if (!QFileInfo(m_options.background).isAbsolute()) {
        const QString found = existingFile(m_options.background);
        if (!found.isEmpty()) {
            Background->setText(found);
            Relative->setChecked(true);
        }
    }

    auto *backgroundLine = new QHBoxLayout;
    backgroundLine->addWidget(Background, 1);
    backgroundLine->addWidget(browse);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Title:"), Title);
    auto *backgroundLabel = new QLabel(QStringLiteral("&Background image:"), page);
    backgroundLabel->setBuddy(Background);
    form->addRow(backgroundLabel, backgroundLine);
    form->addRow(QString(), Relative);
    form->addRow(QString(), Fixed);
    form->addRow(QStringLiteral("&Left margin:"), LeftMargin);
    form->addRow(QStringLiteral("T&op margin:"), TopMargin);
    auto *layout = new QHBoxLayout(page);
    layout->addLayout(form, 1);
    auto *pictureColumn = new QVBoxLayout;
    pictureColumn->addWidget(BackImage);
    pictureColumn->addStretch();
    layout->addLayout(pictureColumn);
    return page;
}

QPushButton *TDocForm::colourButton(const QString &name, const QString &caption, TColor *colour)
{
    auto *button = new QPushButton(caption);
    button->setObjectName(name);
    button->setIcon(swatch(*colour));
    connect(button, &QPushButton::clicked, this, [this, button, colour] {
        const QColor chosen = QColorDialog::getColor(toQColor(*colour), this);
        if (!chosen.isValid())
            return;
        *colour = fromQColor(chosen);
        button->setIcon(swatch(*colour));
        showColours();
    });
    return button;
}

QWidget *TDocForm::colorsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Colors"));
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(
        colourButton(QStringLiteral("BGColor"), QStringLiteral("&Background"), &m_options.bgColor));
    buttons->addWidget(colourButton(QStringLiteral("Text"), QStringLiteral("T&ext"), &m_options.text));
    buttons->addWidget(colourButton(QStringLiteral("Link"), QStringLiteral("&Link"), &m_options.link));
    buttons->addWidget(
        colourButton(QStringLiteral("ALink"), QStringLiteral("&Active Link"), &m_options.alink));
    buttons->addWidget(
        colourButton(QStringLiteral("VLink"), QStringLiteral("&Visited Link"), &m_options.vlink));
    buttons->addStretch();

    Sample = new QFrame(page);
    Sample->setObjectName(QStringLiteral("Sample"));
    Sample->setFrameShape(QFrame::StyledPanel);
    Sample->setAutoFillBackground(true);
    Sample->setMinimumSize(220, 160);
    const auto label = [this](const QString &name, const QString &text, bool underline) {
        auto *l = new QLabel(text, Sample);
        l->setObjectName(name);
        QFont font = l->font();
        font.setUnderline(underline);
        l->setFont(font);
        return l;
    };
    TextLbl = label(QStringLiteral("TextLbl"), QStringLiteral("Text"), false);
    LinkLbl = label(QStringLiteral("LinkLbl"), QStringLiteral("Link"), true);
    ALinkLbl = label(QStringLiteral("ALinkLbl"), QStringLiteral("Active Link"), true);
    VLinkLbl = label(QStringLiteral("VLinkLbl"), QStringLiteral("Visited Link"), true);
    auto *sample = new QVBoxLayout(Sample);
    for (QLabel *l : { TextLbl, LinkLbl, ALinkLbl, VLinkLbl })
        sample->addWidget(l);
    sample->addStretch();
    Picture = new QPushButton(QStringLiteral("With Picture"), page);
    Picture->setObjectName(QStringLiteral("Picture"));
    connect(Picture, &QPushButton::clicked, this, &TDocForm::PictureClick);

    auto *right = new QVBoxLayout;
    right->addWidget(Sample, 1);
    auto *under = new QHBoxLayout;
    under->addStretch();
    under->addWidget(Picture);
    right->addLayout(under);
    auto *layout = new QHBoxLayout(page);
    layout->addLayout(buttons);
    layout->addLayout(right, 1);
    showColours();
    showBackground();
    return page;
}

QWidget *TDocForm::soundPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Sound"));
    const bool saved = !documentFolder().isEmpty();
    SoundName = new QLineEdit(page);
    SoundName->setObjectName(QStringLiteral("SoundName"));
    auto *browse = new QPushButton(QStringLiteral("Browse..."), page);
    connect(browse, &QPushButton::clicked, this, [this] {
        FileRequest request;
        // clang-format off
        request.filter = QStringLiteral("Sound Files (*.wav)|*.wav|Music Files (*.mid, *.midi)|*.mid;*.midi|AU Files (*.au)|*.au|All Files (*.*)|*.*");
        // clang-format on
        request.directory = documentFolder();
        if (const std::optional<QString> chosen = m_host.prompter().openFileName(request))
            SoundName->setText(*chosen);
    });
    SoundRelative = new QCheckBox(QStringLiteral("Use Relative Filename"), page);
    SoundRelative->setObjectName(QStringLiteral("SoundRelative"));
    SoundRelative->setEnabled(saved);
    SoundRelative->setChecked(saved);
    Infinity = new QRadioButton(QStringLiteral("Continuously"), page);
    Infinity->setObjectName(QStringLiteral("Infinity"));
    Times = new QRadioButton(page);
    Times->setObjectName(QStringLiteral("Times"));
    Repeat = new QSpinBox(page);
    Repeat->setObjectName(QStringLiteral("Repeat"));
    Repeat->setRange(1, 1000);
    Repeat->setValue(m_options.repeat);
    Infinity->setChecked(m_options.infinite);
    Times->setChecked(!m_options.infinite);

    Player = new QMediaPlayer(this);
    Player->setObjectName(QStringLiteral("Player"));
    m_audio = new QAudioOutput(this);
    Player->setAudioOutput(m_audio);
    PlayButton = new QPushButton(QStringLiteral("&Play"), page);
    PlayButton->setObjectName(QStringLiteral("PlayButton"));
    StopButton = new QPushButton(QStringLiteral("&Stop"), page);
    StopButton->setObjectName(QStringLiteral("StopButton"));
    PlayButton->setEnabled(false);
    StopButton->setEnabled(false);
    connect(PlayButton, &QPushButton::clicked, this, [this] {
        Player->play();
        PlayButton->setEnabled(false);
        StopButton->setEnabled(true);
    });
    connect(StopButton, &QPushButton::clicked, this, [this] {
        Player->stop();
        PlayButton->setEnabled(true);
        StopButton->setEnabled(false);
    });
    connect(Player, &QMediaPlayer::playbackStateChanged, this, [this](QMediaPlayer::PlaybackState state) {
        if (state == QMediaPlayer::StoppedState && !Player->source().isEmpty()) {
            PlayButton->setEnabled(true);
            StopButton->setEnabled(false);
        }
    });

    SoundName->setText(m_options.soundName);
    connect(SoundName, &QLineEdit::textChanged, this, &TDocForm::SoundNameChange);
    SoundNameChange();

    auto *nameLine = new QHBoxLayout;
    nameLine->addWidget(SoundName, 1);
    nameLine->addWidget(browse);
    auto *playerLine = new QHBoxLayout;
    playerLine->addWidget(PlayButton);
    playerLine->addWidget(StopButton);
    playerLine->addStretch();
    auto *timesLine = new QHBoxLayout;
    timesLine->addWidget(Times);
    timesLine->addWidget(Repeat);
    timesLine->addWidget(new QLabel(QStringLiteral("times"), page));
    timesLine->addStretch();
    auto *loop = new QGroupBox(QStringLiteral("Play"), page);
    auto *loopLayout = new QVBoxLayout(loop);
    loopLayout->addWidget(Infinity);
    loopLayout->addLayout(timesLine);
    auto *form = new QFormLayout(page);
    auto *soundLabel = new QLabel(QStringLiteral("&Background sound:"), page);
    soundLabel->setBuddy(SoundName);
    form->addRow(soundLabel, nameLine);
    form->addRow(QString(), SoundRelative);
    form->addRow(QStringLiteral("Listen:"), playerLine);
    form->addRow(loop);
    return page;
}

void TDocForm::showColours()
{
    QPalette palette = Sample->palette();
    palette.setColor(QPalette::Window, toQColor(m_options.bgColor));
    if (m_showPicture && !m_picture.isNull())
        palette.setBrush(QPalette::Window, QBrush(m_picture));
    Sample->setPalette(palette);
    const auto colour = [](QLabel *label, TColor value) {
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, toQColor(value));
        label->setPalette(p);
    };
    colour(TextLbl, m_options.text);
    colour(LinkLbl, m_options.link);
    colour(ALinkLbl, m_options.alink);
    colour(VLinkLbl, m_options.vlink);
}

void TDocForm::showBackground()
{
    m_picture = QPixmap();
    const QString file = existingFile(Background->text());
    if (!file.isEmpty()) {
        // A picture that cannot be decoded leaves the previews empty.
        QImageReader reader(file);
        const QImage image = reader.read();
        if (!image.isNull())
            m_picture = QPixmap::fromImage(image);
    }
    if (m_picture.isNull())
        BackImage->clear();
    else
        BackImage->setPixmap(
            m_picture.scaled(BackImage->size() - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    if (Sample)
        showColours();
}

void TDocForm::PictureClick()
{
    m_showPicture = !m_showPicture;
    Picture->setText(m_showPicture ? QStringLiteral("Without Picture") : QStringLiteral("With Picture"));
    showColours();
}

void TDocForm::SoundNameChange()
{
    Player->stop();
    Player->setSource(QUrl());
    PlayButton->setEnabled(false);
    StopButton->setEnabled(false);
    const QString file = existingFile(SoundName->text());
    if (file.isEmpty())
        return;
    if (file != SoundName->text().trimmed() && SoundRelative->isEnabled())
        SoundRelative->setChecked(true);
    Player->setSource(QUrl::fromLocalFile(file));
    PlayButton->setEnabled(true);
}

int TDocForm::currentPage() const
{
    return m_pages->currentIndex();
}

void TDocForm::updateButtons()
{
    const int page = m_pages->currentIndex();
    Back->setEnabled(page > 0);
    Next->setEnabled(page < m_pages->count() - 1);
    Finish->setEnabled(page == m_pages->count() - 1);
    Finish->setDefault(page == m_pages->count() - 1);
    Next->setDefault(page < m_pages->count() - 1);
}

void TDocForm::BackClick()
{
    m_pages->setCurrentIndex(qMax(0, m_pages->currentIndex() - 1));
    updateButtons();
}

void TDocForm::NextClick()
{
    m_pages->setCurrentIndex(qMin(m_pages->count() - 1, m_pages->currentIndex() + 1));
    updateButtons();
}

void TDocForm::FinishClick()
{
    EditorBuffer *buffer = m_host.activeBuffer();
    if (!buffer)
        return;
    m_host.recordUndoStep(QStringLiteral("Document Options"));
    const bool names = m_host.settings().readBool(Settings::Names);
    const bool upper = m_host.editorSettings().upper;
    const auto letterCase = upper ? DocumentOptionsMarkup::Case::Upper : DocumentOptionsMarkup::Case::Lower;
    const auto set = [&](const QString &name, const QString &value) {
        DocumentOptionsMarkup::setBodyValue(*buffer, name, value, letterCase);
    };

    QLineEdit *titleBox = m_documents.docTitle();
    if (titleBox->isEnabled() && Title->isEnabled()) {
        titleBox->setText(Title->text());
        m_documents.DocTitleChange();
        m_host.updateCaption();
    }
    m_documents.backColor()->setSelectedColor(m_options.bgColor);
    m_documents.BackColorColorChange(m_options.bgColor);

    const QString folder = documentFolder();
    const QString background = existingFile(Background->text());
    if (!background.isEmpty() && Relative->isChecked() && !folder.isEmpty())
        set(QStringLiteral("BACKGROUND="), u'"' + Paths::GetRelativeDir(folder + u'/', background) + u'"');
    else if (!background.isEmpty())
        set(QStringLiteral("BACKGROUND="),
            QStringLiteral("\"file://") + Paths::ChangeSlashes(background, true) + u'"');
    else
        set(QStringLiteral("BACKGROUND="), u'"' + Paths::ChangeSlashes(Background->text(), true) + u'"');
    set(QStringLiteral("LEFTMARGIN="), QString::number(LeftMargin->value()));
    set(QStringLiteral("TOPMARGIN="), QString::number(TopMargin->value()));
    set(QStringLiteral("BGPROPERTIES="),
        cased(Fixed->isChecked() ? QStringLiteral("\"FIXED\"") : QStringLiteral("\"SCROLL\""), upper));
    const auto colour = [&](const QString &name, TColor value) {
        const QString colourName = ColorToStr(value);
        set(name,
            cased(names && colourName != UnknownColorName ? u'"' + colourName + u'"' : ColorToHex(value),
                upper));
    };
    colour(QStringLiteral("BGCOLOR="), m_options.bgColor);
    colour(QStringLiteral("TEXT="), m_options.text);
    colour(QStringLiteral("LINK="), m_options.link);
    colour(QStringLiteral("ALINK="), m_options.alink);
    colour(QStringLiteral("VLINK="), m_options.vlink);

    const QString soundName = SoundName->text().trimmed();
    if (!soundName.isEmpty()) {
        const QString file = existingFile(soundName);
        QString source = Paths::ChangeSlashes(soundName, true);
        if (!file.isEmpty() && SoundRelative->isChecked() && !folder.isEmpty())
            source = Paths::GetRelativeDir(folder + u'/', file);
        const QString loop = Infinity->isChecked() ? cased(QStringLiteral("INFINITE"), upper)
                                                   : QString::number(Repeat->value());
        DocumentOptionsMarkup::writeSound(*buffer, source, loop, letterCase);
    }
    m_host.markModified();
    m_host.documentTextReplaced();
    accept();
}
