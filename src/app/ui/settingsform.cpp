// SPDX-License-Identifier: GPL-3.0-or-later
#include "settingsform.h"

#include "base/productstrings.h"
#include "base/prompter.h"
#include "base/settingsstore.h"
#include "editor/editorsettings.h"
#include "editor/ui/colouringview.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/editorhost.h"
#include "editor/ui/sourceeditor.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFontDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

using Element = SettingsValues::Element;

// The picture of a switch state: a check box for 4 and 5, a radio button for the one-of-many sets.
QIcon statePicture(const QWidget *widget, int state)
{
    const int size = widget->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget);
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QStyleOptionButton option;
    option.rect = QRect(0, 0, size, size);
    option.palette = widget->palette();
    const bool on
        = state == SwitchTree::CheckOn || state == SwitchTree::GroupAOn || state == SwitchTree::GroupBOn;
    option.state = QStyle::State_Enabled | (on ? QStyle::State_On : QStyle::State_Off);
    const bool check = state == SwitchTree::CheckOn || state == SwitchTree::CheckOff;
    widget->style()->drawPrimitive(
        check ? QStyle::PE_IndicatorCheckBox : QStyle::PE_IndicatorRadioButton, &option, &painter, widget);
    return QIcon(pixmap);
}

ColourSet colourSet(const SettingsValues &values)
{
    ColourSet set;
    set.backColor = values.colours[SettingsValues::Background];
    set.textColor = values.colours[SettingsValues::Text];
    set.tagColor = values.colours[SettingsValues::Tag];
    set.charColor = values.colours[SettingsValues::Character];
    set.stringColor = values.colours[SettingsValues::String];
    set.hexColor = values.colours[SettingsValues::Hex];
    set.commentColor = values.colours[SettingsValues::Comment];
    set.formatting = values.formatting;
    return set;
}

} // namespace

TSettingsForm::TSettingsForm(EditorHost &host, QWidget *parent)
    : QDialog(parent)
    , m_host(host)
    , m_values(SettingsValues::read(host.settings()))
    , Pages(new QTabWidget(this))
{
    setObjectName(QStringLiteral("SettingsForm"));
    setWindowTitle(Product::caption() + QStringLiteral(" Settings"));
    m_switches.load(m_values);

    Pages->setObjectName(QStringLiteral("Pages"));
    Pages->addTab(colorsPage(), QStringLiteral("Colors"));
    Pages->addTab(templatePage(), QStringLiteral("Template"));
    Pages->addTab(fontPage(), QStringLiteral("Editor"));
    Pages->addTab(pathsPage(), QStringLiteral("Programs"));
    Pages->addTab(advancedPage(), QStringLiteral("Advanced"));

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *finish = buttons->addButton(QStringLiteral("Finish"), QDialogButtonBox::AcceptRole);
    finish->setObjectName(QStringLiteral("Finish"));
    finish->setDefault(true);
    QPushButton *cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("Cancel"));
    connect(finish, &QPushButton::clicked, this, &TSettingsForm::FinishClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Pages);
    layout->addWidget(buttons);
    // Room for the whole switch tree and a useful stretch of the template.
    setMinimumSize(600, 520);

    showColours();
    colourSamples();
    Elements->setCurrentRow(SettingsValues::Background);
}

TSettingsForm::~TSettingsForm() = default;

QLabel *TSettingsForm::sampleLabel(const QString &name, const QString &text, Element element)
{
    auto *label = new QLabel(text, Back1);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(this);
    m_sampleLabels.insert(label, element);
    return label;
}

QWidget *TSettingsForm::colorsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Colors"));
    Highlight = new QCheckBox(QStringLiteral("Use Syntax Highlighting"), page);
    Highlight->setObjectName(QStringLiteral("Highlight"));
    Highlight->setChecked(m_values.formatting);
    connect(Highlight, &QCheckBox::clicked, this, &TSettingsForm::HighlightClick);

    Elements = new QListWidget(page);
    Elements->setObjectName(QStringLiteral("Elements"));
    for (int e = 0; e < SettingsValues::ElementCount; ++e)
        Elements->addItem(SettingsValues::elementName(Element(e)));
    Elements->setMaximumWidth(Elements->sizeHintForColumn(0) + 40);
    connect(Elements, &QListWidget::currentRowChanged, this, &TSettingsForm::ElementsClick);

    ColorButton = new QPushButton(QStringLiteral("&Colour..."), page);
    ColorButton->setObjectName(QStringLiteral("ColorButton"));
    connect(ColorButton, &QPushButton::clicked, this, &TSettingsForm::ColorButtonClick);

    UseDocSettings = new QCheckBox(QStringLiteral("Use document settings for text and background"), page);
    UseDocSettings->setObjectName(QStringLiteral("UseDocSettings"));
    UseDocSettings->setChecked(m_values.useDocSettings);

    Back1 = new QFrame(page);
    Back1->setObjectName(QStringLiteral("Back1"));
    static_cast<QFrame *>(Back1)->setFrameShape(QFrame::StyledPanel);
    Back1->setAutoFillBackground(true);
    QFont mono(m_values.fontName);
    mono.setStyleHint(QFont::Monospace);
    Back1->setFont(mono);
    const auto row = [](std::initializer_list<QWidget *> widgets) {
        auto *line = new QHBoxLayout;
        line->setSpacing(4);
        for (QWidget *w : widgets)
            line->addWidget(w);
        line->addStretch();
        return line;
    };
    auto *sample = new QVBoxLayout(Back1);
    sample->addLayout(
        row({ sampleLabel(QStringLiteral("Tag1"), QStringLiteral("<html> <head> <title>"), Element::Tag),
            sampleLabel(QStringLiteral("Text1"), QStringLiteral("Document Title"), Element::Text),
            sampleLabel(QStringLiteral("Tag2"), QStringLiteral("</title>"), Element::Tag) }));
    sample->addLayout(
        row({ sampleLabel(QStringLiteral("Tag3"), QStringLiteral("<body bgcolor="), Element::Tag),
            sampleLabel(QStringLiteral("Hex1"), QStringLiteral("#ffffff"), Element::Hex),
            sampleLabel(QStringLiteral("Tag4"), QStringLiteral("background="), Element::Tag),
            sampleLabel(QStringLiteral("String1"), QStringLiteral("\"image.gif\""), Element::String),
            sampleLabel(QStringLiteral("Tag4End"), QStringLiteral(">"), Element::Tag) }));
    sample->addLayout(row({ sampleLabel(QStringLiteral("Text2"), QStringLiteral("Character:"), Element::Text),
        sampleLabel(QStringLiteral("Char1"), QStringLiteral("&pound;"), Element::Character) }));
    sample->addLayout(
        row({ sampleLabel(QStringLiteral("Comment1"), QStringLiteral("<!--Comment-->"), Element::Comment) }));
    sample->addLayout(
        row({ sampleLabel(QStringLiteral("Tag1End"), QStringLiteral("</body> </html>"), Element::Tag) }));
    sample->addStretch();

    auto *grid = new QGridLayout(page);
    grid->addWidget(Highlight, 0, 0, 1, 2);
    auto *elementLabel = new QLabel(QStringLiteral("&Element:"), page);
    elementLabel->setBuddy(Elements);
    grid->addWidget(elementLabel, 1, 0);
    grid->addWidget(Elements, 2, 0, 3, 1);
    grid->addWidget(Back1, 2, 1);
    auto *under = new QHBoxLayout;
    under->addWidget(ColorButton);
    under->addStretch();
    grid->addLayout(under, 3, 1);
    grid->addWidget(UseDocSettings, 4, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
    return page;
}

QWidget *TSettingsForm::templatePage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Template"));
    Default = new TSourceEditor(page);
    Default->setObjectName(QStringLiteral("Default"));
    Default->setToolTip(QStringLiteral("Change the text used for new files"));
    Default->setStatusTip(QStringLiteral("Change the text used for new files"));
    Default->setFont(m_values.fontName, m_values.fontSize);
    m_defaultColouring = new TColouringView(Default);
    EditorBuffer(Default).setText(m_values.templateText);
    auto *useCurrent = new QPushButton(QStringLiteral("Use Current"), page);
    useCurrent->setObjectName(QStringLiteral("UseCurrent"));
    connect(useCurrent, &QPushButton::clicked, this, &TSettingsForm::UseCurrentClick);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("The text every new page starts with:"), page));
    layout->addWidget(Default, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(useCurrent);
    layout->addLayout(buttons);
    return page;
}

QString TSettingsForm::sampleText() const
{
    const bool names = m_switches.isOn(QStringLiteral("Use Colour Names"));
    QStringList lines { QStringLiteral("<HTML>"), QStringLiteral("<HEAD>"),
        QStringLiteral("<TITLE>Your Document Title</TITLE>"),
        names ? QStringLiteral("<BODY BGCOLOR=\"WHITE\" TEXT=\"BLACK\">")
              : QStringLiteral("<BODY BGCOLOR=#FFFFFF TEXT=#000000>"),
        QStringLiteral("Your Document Text"), QStringLiteral("</BODY>"), QStringLiteral("</HTML>") };
    if (!m_values.upper) {
        lines = { QStringLiteral("<html>"), QStringLiteral("<head>"),
            QStringLiteral("<title>Your Document Title</title>"),
            names ? QStringLiteral("<body bgcolor=\"white\" text=\"black\">")
                  : QStringLiteral("<body bgcolor=#ffffff text=#000000>"),
            QStringLiteral("Your Document Text"), QStringLiteral("</body>"), QStringLiteral("</html>") };
    }
    return lines.join(QStringLiteral("\r\n"));
}

QWidget *TSettingsForm::fontPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Font"));
    Sample = new TSourceEditor(page);
    Sample->setObjectName(QStringLiteral("Sample"));
    Sample->setFont(m_values.fontName, m_values.fontSize);
    Sample->setReadOnly(true);
    m_sampleColouring = new TColouringView(Sample);
    EditorBuffer(Sample).setText(sampleText());
    auto *fontButton = new QPushButton(QStringLiteral("&Font..."), page);
    fontButton->setObjectName(QStringLiteral("FontButton"));
    connect(fontButton, &QPushButton::clicked, this, &TSettingsForm::FontButtonClick);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("Sample with settings as in the Advanced tab"), page));
    layout->addWidget(Sample, 1);
    m_fontLabel = new QLabel(page);
    m_fontLabel->setObjectName(QStringLiteral("FontLabel"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_fontLabel, 1);
    buttons->addWidget(fontButton);
    layout->addLayout(buttons);
    return page;
}

QWidget *TSettingsForm::pathsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Paths"));
    auto *form = new QFormLayout(page);
    const auto program = [&](const QString &name, const QString &caption, const QString &value,
                             QLineEdit *&edit, QLabel *&image, const QString &imageName) {
        edit = new QLineEdit(value, page);
        edit->setObjectName(name);
        image = new QLabel(page);
        image->setObjectName(imageName);
        image->setFixedSize(20, 20);
        auto *browse = new QPushButton(QStringLiteral("Browse..."), page);
        QLineEdit *target = edit;
        QLabel *picture = image;
        connect(browse, &QPushButton::clicked, this, [this, target] { browseProgram(target); });
        connect(edit, &QLineEdit::textChanged, this,
            [this, target, picture] { showProgramIcon(target, picture); });
        auto *line = new QHBoxLayout;
        line->addWidget(image);
        line->addWidget(edit, 1);
        line->addWidget(browse);
        auto *label = new QLabel(caption, page);
        label->setBuddy(edit);
        form->addRow(label, line);
        showProgramIcon(edit, image);
    };
    program(QStringLiteral("BrowserPath"), QStringLiteral("Web Page Viewer (Browser):"), m_values.browser,
        BrowserPath, BrowserImage, QStringLiteral("BrowserImage"));
    program(QStringLiteral("ImagePath"), QStringLiteral("Image Editor:"), m_values.imageEditor, ImagePath,
        ImgEditorImage, QStringLiteral("ImgEditorImage"));
    return page;
}

QWidget *TSettingsForm::advancedPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Advanced"));
    SettingsTree = new QTreeWidget(page);
    SettingsTree->setObjectName(QStringLiteral("SettingsTree"));
    SettingsTree->setHeaderHidden(true);
    SettingsTree->setRootIsDecorated(false);
    SettingsTree->setItemsExpandable(false);
    SettingsTree->setIndentation(20);
    QTreeWidgetItem *group = nullptr;
    for (int i = 0; i < m_switches.items().size(); ++i) {
        const SwitchTree::Item &item = m_switches.items().at(i);
        QTreeWidgetItem *node
            = item.group.isEmpty() ? new QTreeWidgetItem(SettingsTree) : new QTreeWidgetItem(group);
        node->setText(0, item.text);
        node->setData(0, Qt::UserRole, i);
        if (item.group.isEmpty()) {
            group = node;
            QFont bold = node->font(0);
            bold.setBold(true);
            node->setFont(0, bold);
        }
    }
    SettingsTree->expandAll();
    showSwitches();
    connect(SettingsTree, &QTreeWidget::itemClicked, this, &TSettingsForm::SettingsTreeChange);
    connect(SettingsTree, &QTreeWidget::itemActivated, this, &TSettingsForm::SettingsTreeChange);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(SettingsTree);
    return page;
}

void TSettingsForm::showSwitches()
{
    for (QTreeWidgetItemIterator it(SettingsTree); *it; ++it) {
        const int index = (*it)->data(0, Qt::UserRole).toInt();
        const int state = m_switches.items().at(index).state;
        (*it)->setIcon(0, state ? statePicture(SettingsTree, state) : QIcon());
        (*it)->setData(0, Qt::UserRole + 1, state);
    }
}

void TSettingsForm::showPage(Page page)
{
    Pages->setCurrentIndex(int(page));
}

void TSettingsForm::showColours()
{
    QPalette palette = Back1->palette();
    palette.setColor(QPalette::Window, toQColor(m_values.colours[Element::Background]));
    Back1->setPalette(palette);
    for (auto it = m_sampleLabels.cbegin(); it != m_sampleLabels.cend(); ++it) {
        QPalette labelPalette = it.key()->palette();
        labelPalette.setColor(QPalette::WindowText, toQColor(m_values.colours[it.value()]));
        it.key()->setPalette(labelPalette);
    }
}

void TSettingsForm::colourSamples()
{
    const ColourSet set = colourSet(m_values);
    m_fontLabel->setText(m_values.fontName + QStringLiteral(", ") + QString::number(m_values.fontSize)
        + QStringLiteral(" pt"));
    for (auto [editor, colouring] :
        { std::pair { Default, m_defaultColouring }, std::pair { Sample, m_sampleColouring } }) {
        editor->setFont(m_values.fontName, m_values.fontSize);
        colouring->setColourSet(set);
        colouring->Refresh();
    }
}

void TSettingsForm::ElementsClick()
{
    const int row = Elements->currentRow();
    if (row < 0)
        return;
    const QColor colour = toQColor(m_values.colours[row]);
    QPixmap swatch(16, 16);
    swatch.fill(colour);
    // Outlined, so a white or face-coloured swatch still shows.
    QPainter painter(&swatch);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    painter.end();
    ColorButton->setIcon(QIcon(swatch));
}

void TSettingsForm::ColorButtonClick()
{
    const int row = Elements->currentRow();
    if (row < 0)
        return;
    const QColor colour = QColorDialog::getColor(toQColor(m_values.colours[row]), this);
    if (colour.isValid())
        setElementColour(Element(row), fromQColor(colour));
}

void TSettingsForm::setElementColour(Element element, TColor colour)
{
    m_values.colours[element] = colour;
    showColours();
    ElementsClick();
    colourSamples();
}

void TSettingsForm::HighlightClick()
{
    if (!Highlight->isChecked()) {
        const PromptAnswer answer = m_host.prompter().message(QStringLiteral("Warning"),
            // clang-format off
            QStringLiteral("Diabling Syntax Highlighting may affect some functions which rely on distinguishing between tags and text.\nAre you sure you want to continue?"),
            // clang-format on
            PromptButtons::YesNo, PromptIcon::Warning);
        if (answer != PromptAnswer::Yes)
            Highlight->setChecked(true);
    }
    m_values.formatting = Highlight->isChecked();
    colourSamples();
}

bool TSettingsForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        if (auto *label = qobject_cast<QLabel *>(watched); label && m_sampleLabels.contains(label)) {
            Elements->setCurrentRow(m_sampleLabels.value(label));
            Elements->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TSettingsForm::UseCurrentClick()
{
    if (EditorBuffer *page = m_host.activeBuffer()) {
        EditorBuffer(Default).setText(page->text());
        m_defaultColouring->Refresh();
    }
}

void TSettingsForm::FontButtonClick()
{
    bool ok = false;
    QFont current(m_values.fontName, m_values.fontSize);
    const QFont font = QFontDialog::getFont(&ok, current, this);
    if (!ok)
        return;
    m_values.fontName = font.family();
    m_values.fontSize = font.pointSize() > 0 ? font.pointSize() : m_values.fontSize;
    colourSamples();
}

void TSettingsForm::browseProgram(QLineEdit *edit)
{
    FileRequest request;
    // Programs on Linux carry no extension: any executable file will do.
    request.filter = QStringLiteral("All Files (*)|*");
    request.proposedName = edit->text();
    request.directory
        = edit->text().isEmpty() ? QStringLiteral("/usr/bin") : QFileInfo(edit->text()).absolutePath();
    if (const std::optional<QString> chosen = m_host.prompter().openFileName(request))
        edit->setText(*chosen);
}

void TSettingsForm::showProgramIcon(QLineEdit *edit, QLabel *image)
{
    const QFileInfo info(edit->text().trimmed());
    if (edit->text().trimmed().isEmpty() || !info.exists()) {
        image->clear();
        return;
    }
    static const QFileIconProvider icons;
    image->setPixmap(icons.icon(info).pixmap(16, 16));
}

void TSettingsForm::SettingsTreeChange(QTreeWidgetItem *item)
{
    if (!item)
        return;
    m_switches.click(item->data(0, Qt::UserRole).toInt());
    showSwitches();
    // The selection goes, so the next click on the same item acts again.
    SettingsTree->clearSelection();
    if (item->parent() == nullptr)
        return;
    EditorBuffer(Sample).setText(sampleText());
    m_sampleColouring->Refresh();
}

void TSettingsForm::FinishClick()
{
    SettingsValues values = m_values;
    values.formatting = Highlight->isChecked();
    values.templateText = EditorBuffer(Default).text();
    values.useDocSettings = UseDocSettings->isChecked();
    m_switches.store(values);
    values.browser = BrowserPath->text();
    values.imageEditor = ImagePath->text();
    SettingsStore &store = m_host.settings();
    const bool previewChanged = values.ieVisible != store.readBool(Settings::IEVisible);
    values.write(store);
    if (previewChanged) {
        m_host.prompter().message(Product::caption(),
            QStringLiteral(
                "The changes to the internal preview will be applied when you next start Tagloom 99"),
            PromptButtons::Ok, PromptIcon::Information);
    }
    m_host.markModified();
    accept();
}
