// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapform.h"

#include "base/productstrings.h"
#include "base/prompter.h"
#include "editor/editorsettings.h"
#include "editor/sourcebuffer.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/editorhost.h"
#include "editor/ui/sourceeditor.h"
#include "targetform.h"

#include <QActionGroup>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>

using MapMarkup::Shape;

// The picture at its natural size, with the areas drawn on it so far and the one being dragged.
class TMapPicture : public QWidget
{
public:
    explicit TMapPicture(TMapForm &form)
        : QWidget(nullptr)
        , m_form(form)
    {
        setObjectName(QStringLiteral("Image"));
        setFixedSize(form.m_picture.size().expandedTo(QSize(1, 1)));
        setCursor(Qt::CrossCursor);
    }

protected:
    void mousePressEvent(QMouseEvent *event) override { m_form.ImageMouseDown(event->position().toPoint()); }
    void mouseMoveEvent(QMouseEvent *event) override { m_form.ImageMouseMove(event->position().toPoint()); }
    void mouseReleaseEvent(QMouseEvent *event) override { m_form.ImageMouseUp(event->position().toPoint()); }

    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.drawImage(0, 0, m_form.m_picture);
        // Outlines in two colours show on any picture, light or dark.
        const QPen light(Qt::white, 1);
        QPen dark(Qt::black, 1, Qt::DashLine);
        const QBrush hatch(QColor(0, 0, 0, 150), Qt::BDiagPattern);
        for (const TMapForm::Mark &mark : m_form.m_marks) {
            for (const QPen &pen : { light, dark }) {
                painter.setPen(pen);
                painter.setBrush(pen == light ? QBrush(QColor(255, 255, 255, 70)) : hatch);
                if (mark.shape == Shape::Circ)
                    painter.drawEllipse(mark.box);
                else
                    painter.drawRect(mark.box);
            }
        }
        for (const QPen &pen : { light, dark }) {
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            for (const QLine &side : m_form.m_sides)
                painter.drawLine(side);
            for (const QPoint &corner : m_form.m_corners) {
                painter.setBrush(pen == light ? QBrush(Qt::white) : hatch);
                painter.drawRect(QRect(corner - QPoint(2, 2), QSize(4, 4)));
            }
            painter.setBrush(Qt::NoBrush);
            if (m_form.m_dragging && m_form.m_tool != Shape::Poly) {
                const QRect band = QRect(m_form.m_start, m_form.m_current).normalized();
                if (m_form.m_tool == Shape::Circ)
                    painter.drawEllipse(band);
                else
                    painter.drawRect(band);
            }
        }
    }

private:
    TMapForm &m_form;
};

std::optional<QString> TMapForm::run(
    EditorHost &host, QWidget *parent, const QImage &picture, const QStringList &names, const QString &name)
{
    TMapForm form(host, parent, picture, names);
    form.setMapName(name);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.mapName();
}

TMapForm::TMapForm(EditorHost &host, QWidget *parent, const QImage &picture, const QStringList &names)
    : TDialogBase(host, parent, QStringLiteral("Image Map Wizard"), QStringLiteral("menus.html"))
    , m_editorHost(host)
    , m_picture(picture)
    , m_names(names)
{
    setObjectName(QStringLiteral("MapForm"));
    setSizeGripEnabled(true);

    auto *toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto *tools = new QActionGroup(this);
    const auto addTool = [&](const char *name, const QString &text, Shape shape) {
        QAction *action = toolBar->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(true);
        tools->addAction(action);
        connect(action, &QAction::triggered, this, [this, shape] { setTool(shape); });
        return action;
    };
    m_rectangle = addTool("Rectangle", QStringLiteral("&Rectangle"), Shape::Rect);
    m_circle = addTool("Circle", QStringLiteral("&Circle"), Shape::Circ);
    m_polygon = addTool("Polygon", QStringLiteral("&Polygon"), Shape::Poly);
    m_rectangle->setChecked(true);
    toolBar->addSeparator();

    auto *nameLabel = new QLabel(QStringLiteral("Map Name:   "), toolBar);
    toolBar->addWidget(nameLabel);
    m_nameCombo = new QComboBox(toolBar);
    m_nameCombo->setObjectName(QStringLiteral("NameCombo"));
    m_nameCombo->setEditable(true);
    m_nameCombo->setInsertPolicy(QComboBox::NoInsert);
    m_nameCombo->setMinimumContentsLength(14);
    m_nameCombo->addItems(names);
    nameLabel->setBuddy(m_nameCombo);
    toolBar->addWidget(m_nameCombo);
    m_finish = new QPushButton(QStringLiteral("Finish"), toolBar);
    m_finish->setObjectName(QStringLiteral("Finish"));
    m_finish->setDefault(true);
    auto *finishHolder = new QWidget(toolBar);
    auto *finishLayout = new QHBoxLayout(finishHolder);
    finishLayout->setContentsMargins(6, 0, 0, 0);
    finishLayout->addWidget(m_finish);
    toolBar->addWidget(finishHolder);

    m_image = new TMapPicture(*this);
    m_scrollBox = new QScrollArea(this);
    m_scrollBox->setObjectName(QStringLiteral("ScrollBox1"));
    m_scrollBox->setWidget(m_image);
    m_scrollBox->setAlignment(Qt::AlignCenter);

    m_areas = new QListWidget(this);
    m_areas->setObjectName(QStringLiteral("Areas"));

    auto *splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(m_scrollBox);
    splitter->addWidget(m_areas);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    splitter->setChildrenCollapsible(false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 4);
    layout->addWidget(toolBar);
    layout->addWidget(splitter, 1);

    connect(m_nameCombo, &QComboBox::editTextChanged, this, &TMapForm::NameComboChange);
    connect(m_finish, &QPushButton::clicked, this, &TMapForm::FinishClick);

    // Big enough for the picture and a few area lines where the screen allows.
    // The tool bar is never folded away: the name and Finish must show.
    setMinimumWidth(
        toolBar->sizeHint().width() + layout->contentsMargins().left() + layout->contentsMargins().right());
    const QSize wanted = m_picture.size() + QSize(40, 160);
    resize(wanted.expandedTo(QSize(435, 299)).boundedTo(QSize(1000, 760)).expandedTo(minimumSize()));
    NameComboChange();
}

void TMapForm::setTool(Shape tool)
{
    m_tool = tool;
    // An unfinished polygon is dropped; what was drawn of it stays on the picture.
    m_points.clear();
    m_rectangle->setChecked(tool == Shape::Rect);
    m_circle->setChecked(tool == Shape::Circ);
    m_polygon->setChecked(tool == Shape::Poly);
}

void TMapForm::setMapName(const QString &name)
{
    m_nameCombo->setEditText(name);
    NameComboChange();
}

QString TMapForm::mapName() const
{
    return m_nameCombo->currentText();
}

QStringList TMapForm::areas() const
{
    QStringList lines;
    for (int i = 0; i < m_areas->count(); ++i)
        lines.append(m_areas->item(i)->text());
    return lines;
}

QPoint TMapForm::clamped(QPoint position) const
{
    return { qBound(0, position.x(), m_picture.width()), qBound(0, position.y(), m_picture.height()) };
}

void TMapForm::ImageMouseDown(QPoint position)
{
    const QPoint at = clamped(position);
    m_start = m_current = at;
    m_dragging = true;
    if (m_tool == Shape::Poly) {
        m_points.append(at);
        if (m_points.size() < 2)
            m_corners.append(at);
        else
            m_sides.append(QLine(m_points.at(m_points.size() - 2), at));
    }
    m_image->update();
}

void TMapForm::ImageMouseMove(QPoint position)
{
    if (!m_dragging || m_tool == Shape::Poly)
        return;
    QPoint at = clamped(position);
    if (m_tool == Shape::Circ)
        at = MapMarkup::circleBoxCorner(m_start, at);
    m_current = at;
    m_image->update();
}

void TMapForm::ImageMouseUp(QPoint position)
{
    if (!m_dragging)
        return;
    m_dragging = false;
    const QPoint release = clamped(position);
    switch (m_tool) {
    case Shape::Rect:
        m_current = release;
        addArea(MapMarkup::rectCoords(m_start, release));
        break;
    case Shape::Circ:
        m_current = MapMarkup::circleBoxCorner(m_start, release);
        addArea(MapMarkup::circleCoords(m_start, release));
        break;
    case Shape::Poly:
        if (MapMarkup::polygonClosed(m_points)) {
            const QList<QPoint> corners = m_points;
            // The next click starts a new polygon, whether this one got its link or not.
            m_points.clear();
            addArea(MapMarkup::polygonCoords(corners));
        }
        break;
    }
    m_image->update();
}

void TMapForm::addArea(const QString &coords)
{
    const Shape shape = m_tool;
    const QRect box = QRect(m_start, m_current).normalized();
    const std::optional<TTargetForm::Link> link = TTargetForm::ask(m_editorHost, this);
    if (!link)
        return;
    m_areas->addItem(MapMarkup::areaLine(shape, coords, link->href, link->target));
    m_areas->scrollToBottom();
    if (shape != Shape::Poly)
        m_marks.append({ shape, box });
    m_image->update();
}

void TMapForm::NameComboChange()
{
    const QString name = m_nameCombo->currentText();
    m_finish->setEnabled(!name.isEmpty());
    if (name.isEmpty() || !m_names.contains(name, Qt::CaseInsensitive))
        return;
    if (const EditorBuffer *buffer = m_editorHost.activeBuffer()) {
        m_areas->clear();
        m_areas->addItems(MapMarkup::mapAreas(buffer->text(), name));
    }
}

void TMapForm::FinishClick()
{
    const QString name = mapName();
    if (name.isEmpty()) {
        m_editorHost.prompter().inform(Product::caption(),
            QStringLiteral("You must enter a name for this map"), PromptIcon::Information);
        m_nameCombo->setFocus();
        return;
    }
    const bool existing = m_names.contains(name, Qt::CaseInsensitive);
    const QStringList lines = areas();
    const TagCommands::TagStyle style = m_editorHost.editorSettings().tagStyle();
    writeMarkup(m_editorHost, QStringLiteral("Map"), [&](SourceBuffer &buffer) {
        const MapMarkup::MapWrite written = MapMarkup::writeMap(buffer, name, lines, existing, style);
        return WrittenRange { written.start, written.end };
    });
    accept();
}
