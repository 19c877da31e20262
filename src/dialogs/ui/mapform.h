// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/mapmarkup.h"
#include "dialogs/ui/dialogbase.h"

#include <QImage>

#include <optional>

class EditorHost;
class QAction;
class QComboBox;
class QListWidget;
class QPushButton;
class QScrollArea;
class TMapPicture;

// The image map editor: areas are drawn on the picture (rectangles and circles by dragging, polygons by
// clicking their corners), each becomes an area line once its link is given, and Finish writes the map
// into the active page, in place of the map of the same name when the page has one.
class TMapForm : public TDialogBase
{
    Q_OBJECT
public:
    // Opens the editor on picture with the page's map names listed and name (if any) loaded; the map's
    // name when Finish wrote it, nothing when the user closed the editor.
    static std::optional<QString> run(EditorHost &host, QWidget *parent, const QImage &picture,
        const QStringList &names, const QString &name);

    TMapForm(EditorHost &host, QWidget *parent, const QImage &picture, const QStringList &names);

    // Mouse handling on the picture, in picture pixels (clamped into it).
    void ImageMouseDown(QPoint position);
    void ImageMouseMove(QPoint position);
    void ImageMouseUp(QPoint position);
    void NameComboChange();
    void FinishClick();

    void setMapName(const QString &name);
    QString mapName() const;
    QStringList areas() const;
    MapMarkup::Shape tool() const { return m_tool; }
    void setTool(MapMarkup::Shape tool);

private:
    friend class TMapPicture;
    QPoint clamped(QPoint position) const;
    void addArea(const QString &coords);

    EditorHost &m_editorHost;
    QImage m_picture;
    QStringList m_names;
    TMapPicture *m_image = nullptr;
    QScrollArea *m_scrollBox = nullptr;
    QComboBox *m_nameCombo = nullptr;
    QListWidget *m_areas = nullptr;
    QPushButton *m_finish = nullptr;
    QAction *m_rectangle = nullptr;
    QAction *m_circle = nullptr;
    QAction *m_polygon = nullptr;

    MapMarkup::Shape m_tool = MapMarkup::Shape::Rect;
    QList<QPoint> m_points;
    QPoint m_start;
    QPoint m_current;
    bool m_dragging = false;

    // What stays drawn on the picture: finished areas, and the corners and sides of polygons.
    struct Mark
    {
        MapMarkup::Shape shape;
        QRect box;
    };
    QList<Mark> m_marks;
    QList<QLine> m_sides;
    QList<QPoint> m_corners;
};
