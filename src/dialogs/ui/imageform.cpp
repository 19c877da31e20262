// SPDX-License-Identifier: GPL-3.0-or-later
#include "imageform.h"

#include "base/prompter.h"
#include "dialogs/imagemarkup.h"
#include "editor/editorsettings.h"
#include "editor/paths.h"
#include "editor/sourcebuffer.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/editorhost.h"
#include "editor/ui/sourceeditor.h"
#include "imagesizeform.h"
#include "mapform.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

// A picture that cannot be decoded gives a null image: the preview then stays empty, unexplained, as
// a browser would show a broken picture.
QImage readPicture(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    return reader.read();
}

// A line of text with a picture placed beside it as the alignment would place it.
QPixmap alignIllustration(int index, const QPalette &palette)
{
    QPixmap pixmap(96, 56);
    pixmap.fill(palette.color(QPalette::Base));
    QPainter painter(&pixmap);
    const QColor text = palette.color(QPalette::Text);
    const QColor image(0x4a, 0x7e, 0xbb);
    const QRect picture = [index] {
        switch (index) {
        case 0:
            return QRect(40, 12, 16, 16); // top of the line
        case 1:
            return QRect(40, 16, 16, 16); // top of the text
        case 2:
            return QRect(40, 22, 16, 16); // middle on the baseline
        case 3:
            return QRect(40, 18, 16, 16); // middle of the line
        case 4:
            return QRect(40, 21, 16, 16); // bottom on the baseline
        case 5:
            return QRect(40, 24, 16, 16); // bottom of the line
        case 6:
            return QRect(4, 6, 16, 16); // left margin
        default:
            return QRect(76, 6, 16, 16); // right margin
        }
    }();
    painter.fillRect(picture, image);
    painter.setPen(QPen(text, 2));
    if (index < 6) {
        painter.drawLine(6, 30, 34, 30);
        painter.drawLine(62, 30, 90, 30);
        painter.drawLine(6, 46, 90, 46);
    } else {
        const int left = index == 6 ? 24 : 6;
        const int right = index == 6 ? 90 : 72;
        for (int y : { 10, 18, 26 })
            painter.drawLine(left, y, right, y);
        painter.drawLine(6, 38, 90, 38);
        painter.drawLine(6, 46, 90, 46);
    }
    return pixmap;
}

} // namespace

void TImageForm::run(EditorHost &host)
{
    if (!host.activeBuffer())
        return;
    TImageForm form(host, host.dialogParent());
    form.exec();
}

TImageForm::TImageForm(EditorHost &host, QWidget *parent)
    : TDialogBase(host, parent, QStringLiteral("Image Wizard"), QStringLiteral("menus.html"))
    , m_editorHost(host)
{
    setObjectName(QStringLiteral("ImageForm"));
    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("Pages"));
    m_pages->addWidget(makeGeneralPage());
    m_pages->addWidget(makeSettingsPage());

    m_back = addButton(QStringLiteral("< Back"), QDialogButtonBox::ActionRole, "BackButton");
    m_next = addButton(QStringLiteral("Next >"), QDialogButtonBox::ActionRole, "NextButton");
    m_finish = addButton(QStringLiteral("Finish"), QDialogButtonBox::ActionRole, "FinishButton");
    QPushButton *cancel = addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole, "CancelButton");
    Q_UNUSED(cancel);
    for (QPushButton *button : { m_back, m_next, m_finish })
        button->setAutoDefault(false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addWidget(buttonBox());

    connect(m_back, &QPushButton::clicked, this, &TImageForm::BackClick);
    connect(m_next, &QPushButton::clicked, this, &TImageForm::NextClick);
    connect(m_finish, &QPushButton::clicked, this, &TImageForm::FinishClick);

    // Relative names need the page's folder, which a page never saved does not have.
    const bool saved = !documentFolder().isEmpty();
    m_relative->setEnabled(saved);
    m_relative->setChecked(saved);
    if (const EditorBuffer *buffer = host.activeBuffer())
        m_mapName->addItems(ImageMarkup::mapNames(buffer->text()));
    m_mapName->setCurrentIndex(-1);
    m_mapName->setEditText(QString());
    m_align->setCurrentIndex(0);
    AlignChange();
    ImageFileChange();
    m_imageFile->setFocus();
}

QWidget *TImageForm::makeGeneralPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("General"));

    auto *fileLabel = new QLabel(QStringLiteral("Image File:"), page);
    m_imageFile = new QLineEdit(page);
    m_imageFile->setObjectName(QStringLiteral("ImageFile"));
    m_imageFile->setToolTip(QStringLiteral("Name of image file to use"));
    m_imageFile->setMinimumWidth(260);
    fileLabel->setBuddy(m_imageFile);
    auto *browse = new QPushButton(QStringLiteral("Browse..."), page);
    browse->setObjectName(QStringLiteral("BrowseButton"));
    browse->setAutoDefault(false);

    m_preview = new QLabel(page);
    m_preview->setObjectName(QStringLiteral("Preview"));
    m_preview->setFixedSize(105, 105);
    m_preview->setFrameShape(QFrame::StyledPanel);
    m_preview->setScaledContents(true);

    m_default = new QRadioButton(QStringLiteral("Use Browser Defaults"), page);
    m_default->setObjectName(QStringLiteral("Default"));
    m_default->setChecked(true);
    m_custom = new QRadioButton(QStringLiteral("Use Custom Settings"), page);
    m_custom->setObjectName(QStringLiteral("Custom"));
    m_relative = new QCheckBox(QStringLiteral("Use Relative Filename"), page);
    m_relative->setObjectName(QStringLiteral("Relative"));

    auto *mapLabel = new QLabel(QStringLiteral("Map Name:"), page);
    m_mapName = new QComboBox(page);
    m_mapName->setObjectName(QStringLiteral("MapName"));
    m_mapName->setEditable(true);
    m_mapName->setInsertPolicy(QComboBox::NoInsert);
    m_mapName->setMinimumContentsLength(12);
    mapLabel->setBuddy(m_mapName);
    m_map = new QPushButton(QStringLiteral("Create Map.."), page);
    m_map->setObjectName(QStringLiteral("Map"));
    m_map->setAutoDefault(false);

    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(m_imageFile, 1);
    fileRow->addWidget(browse);
    auto *choices = new QVBoxLayout;
    choices->addWidget(m_default);
    choices->addWidget(m_custom);
    choices->addSpacing(8);
    choices->addWidget(m_relative);
    choices->addStretch();
    auto *middle = new QHBoxLayout;
    middle->addWidget(m_preview, 0, Qt::AlignTop);
    middle->addSpacing(12);
    middle->addLayout(choices, 1);
    auto *mapRow = new QHBoxLayout;
    mapRow->addWidget(mapLabel);
    mapRow->addWidget(m_mapName, 1);
    mapRow->addWidget(m_map);

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(fileLabel);
    layout->addLayout(fileRow);
    layout->addSpacing(6);
    layout->addLayout(middle);
    layout->addSpacing(6);
    layout->addLayout(mapRow);
    layout->addStretch();

    connect(m_imageFile, &QLineEdit::textChanged, this, &TImageForm::ImageFileChange);
    connect(browse, &QPushButton::clicked, this, &TImageForm::BrowseButtonClick);
    connect(m_default, &QRadioButton::toggled, this, &TImageForm::DefaultClick);
    connect(m_map, &QPushButton::clicked, this, &TImageForm::MapClick);
    return page;
}

QWidget *TImageForm::makeSettingsPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("Settings"));
    const auto check = [page](const char *name, const QString &text, bool checked) {
        auto *box = new QCheckBox(text, page);
        box->setObjectName(QString::fromLatin1(name));
        box->setChecked(checked);
        return box;
    };
    const auto number = [page](const char *name) {
        auto *spin = new QSpinBox(page);
        spin->setObjectName(QString::fromLatin1(name));
        spin->setRange(0, 9999);
        spin->setSuffix(QStringLiteral(" px"));
        return spin;
    };
    m_defWidth = check("DefWidth", QStringLiteral("Define Width:"), true);
    m_width = number("Width");
    m_defHeight = check("DefHeight", QStringLiteral("Define Height"), true);
    m_height = number("Height");
    m_defOffset = check("DefOffset", QStringLiteral("Define Offset (Border)"), true);
    m_border = number("Border");
    auto *set = new QPushButton(QStringLiteral("Set"), page);
    set->setObjectName(QStringLiteral("SetDimensions"));
    set->setAutoDefault(false);
    m_defTitle = check("DefTitle", QStringLiteral("Define Title"), false);
    m_title = new QLineEdit(page);
    m_title->setObjectName(QStringLiteral("Title"));
    m_defAlign = check("DefAlign", QStringLiteral("Define Alignment"), false);
    m_align = new QComboBox(page);
    m_align->setObjectName(QStringLiteral("Align"));
    m_align->addItems(ImageMarkup::alignments());
    m_alignPicture = new QLabel(page);
    m_alignPicture->setObjectName(QStringLiteral("AlignPicture"));
    m_alignPicture->setFrameShape(QFrame::StyledPanel);
    m_alignDescription = new QLabel(page);
    m_alignDescription->setObjectName(QStringLiteral("AlignDescription"));
    m_alignDescription->setWordWrap(true);

    auto *grid = new QGridLayout(page);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(m_defWidth, 0, 0);
    grid->addWidget(m_width, 0, 1);
    grid->addWidget(set, 0, 2, 2, 1, Qt::AlignVCenter);
    grid->addWidget(m_defHeight, 1, 0);
    grid->addWidget(m_height, 1, 1);
    grid->addWidget(m_defOffset, 2, 0);
    grid->addWidget(m_border, 2, 1);
    grid->addWidget(m_defTitle, 3, 0);
    grid->addWidget(m_title, 3, 1, 1, 3);
    grid->addWidget(m_defAlign, 4, 0);
    grid->addWidget(m_align, 4, 1);
    auto *alignRow = new QHBoxLayout;
    alignRow->addWidget(m_alignPicture);
    alignRow->addWidget(m_alignDescription, 1);
    grid->addLayout(alignRow, 5, 1, 1, 3);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(6, 1);

    const auto enables = [](QCheckBox *box, QWidget *field) {
        field->setEnabled(box->isChecked());
        QObject::connect(box, &QCheckBox::toggled, field, &QWidget::setEnabled);
    };
    enables(m_defWidth, m_width);
    enables(m_defHeight, m_height);
    enables(m_defOffset, m_border);
    enables(m_defTitle, m_title);
    enables(m_defAlign, m_align);
    connect(set, &QPushButton::clicked, this, &TImageForm::SetDimensionsClick);
    connect(m_align, &QComboBox::currentIndexChanged, this, &TImageForm::AlignChange);
    return page;
}

QString TImageForm::documentFolder() const
{
    const Document *document = m_editorHost.activeDocument();
    return document ? document->folder() : QString();
}

void TImageForm::ImageFileChange()
{
    const QString path = ImageMarkup::localPath(m_imageFile->text(), documentFolder());
    const bool exists = !path.isEmpty() && QFileInfo(path).isFile();
    m_map->setEnabled(exists);
    m_picture = exists ? readPicture(path) : QImage();
    m_preview->setPixmap(m_picture.isNull() ? QPixmap() : QPixmap::fromImage(m_picture));
    updateButtons();
}

void TImageForm::BrowseButtonClick()
{
    FileRequest request;
    request.title = QStringLiteral("Select Picture File");
    request.defaultSuffix = QStringLiteral(".gif");
    request.filter
        = QStringLiteral("GIF Files (*.gif)|*.gif|JPEG Files (*.jpg, *.jpeg)|*.jpg;*.jpeg|Bitmap Files "
                         "(*.bmp)|*.bmp|Windows Meta Files (*.wmf)|*.wmf|All Files (*.*)|*.*");
    request.directory = documentFolder();
    if (const std::optional<QString> file = m_editorHost.prompter().openFileName(request))
        m_imageFile->setText(*file);
}

void TImageForm::DefaultClick()
{
    updateButtons();
}

void TImageForm::updateButtons()
{
    const bool settingsPage = m_pages->currentIndex() == 1;
    const bool named = !m_imageFile->text().isEmpty();
    m_back->setEnabled(settingsPage);
    if (settingsPage) {
        m_next->setEnabled(false);
        m_finish->setEnabled(true);
    } else {
        m_next->setEnabled(named && m_custom->isChecked());
        m_finish->setEnabled(named && m_default->isChecked());
    }
    m_finish->setDefault(m_finish->isEnabled());
    m_next->setDefault(!m_finish->isEnabled() && m_next->isEnabled());
}

void TImageForm::NextClick()
{
    m_width->setValue(m_picture.width());
    m_height->setValue(m_picture.height());
    m_border->setValue(0);
    m_pages->setCurrentIndex(1);
    updateButtons();
}

void TImageForm::BackClick()
{
    m_pages->setCurrentIndex(0);
    updateButtons();
}

void TImageForm::SetDimensionsClick()
{
    const std::optional<QSize> size
        = TImageSizeForm::run(m_editorHost, this, m_picture, QSize(m_width->value(), m_height->value()));
    if (!size)
        return;
    m_width->setValue(size->width());
    m_height->setValue(size->height());
}

void TImageForm::MapClick()
{
    QStringList names;
    for (int i = 0; i < m_mapName->count(); ++i)
        names.append(m_mapName->itemText(i));
    QString name = m_mapName->currentText();
    if (name.isEmpty())
        name = QFileInfo(Paths::ChangeSlashes(m_imageFile->text(), true)).fileName();
    const std::optional<QString> written = TMapForm::run(m_editorHost, this, m_picture, names, name);
    if (!written)
        return;
    if (m_mapName->findText(*written, Qt::MatchFixedString) < 0)
        m_mapName->addItem(*written);
    m_mapName->setEditText(*written);
}

void TImageForm::AlignChange()
{
    const int index = qMax(0, m_align->currentIndex());
    m_alignPicture->setPixmap(alignIllustration(index, palette()));
    m_alignDescription->setText(ImageMarkup::alignmentDescriptions().value(index));
}

void TImageForm::FinishClick()
{
    if (m_imageFile->text().isEmpty()) {
        m_editorHost.prompter().inform(
            QStringLiteral("Warning"), QStringLiteral("You must select an image file"), PromptIcon::Stop);
        return;
    }
    ImageMarkup::ImageTag tag;
    tag.source = ImageMarkup::sourceName(
        m_imageFile->text(), m_relative->isEnabled() && m_relative->isChecked(), documentFolder());
    tag.custom = m_custom->isChecked();
    if (m_defWidth->isChecked())
        tag.width = m_width->value();
    if (m_defHeight->isChecked())
        tag.height = m_height->value();
    if (m_defOffset->isChecked())
        tag.border = m_border->value();
    if (m_defTitle->isChecked())
        tag.alt = m_title->text();
    if (m_defAlign->isChecked())
        tag.align = m_align->currentText();
    tag.mapName = m_mapName->currentText();
    const QString markup = ImageMarkup::imageMarkup(tag, m_editorHost.editorSettings().tagStyle());
    writeMarkup(m_editorHost, QStringLiteral("Image"), [&](SourceBuffer &buffer) {
        const int start = buffer.selStart();
        buffer.setSelText(markup);
        return WrittenRange { start, start + int(markup.size()) };
    });
    accept();
}
