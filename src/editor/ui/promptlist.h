// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QListWidget>
#include <QStringList>

#include <functional>
#include <optional>

// One of the pop-up lists offered at the caret while a tag is typed (tag names, attributes, values,
// colours, fonts, style classes). It never takes the keyboard: the editor keeps it, and the window moves
// the selection and chooses on the user's keys. Each item is drawn as a 16-pixel picture with its text
// 20 pixels to the right; colours as a swatch with the text 31 pixels to the right. A child of the main
// window, hidden until the prompting shows it.
class TPromptList : public QListWidget
{
    Q_OBJECT
public:
    enum class Kind { Tag, Property, Value, Font, Style, Color };
    // Asks the user for a colour, starting from current; nothing when the user cancels.
    using ColorChooser = std::function<std::optional<QColor>(QColor current)>;

    TPromptList(Kind kind, QWidget *parent);

    Kind kind() const { return m_kind; }
    // Fills the list. images are the tags' pictures by row (tag list only); an item without a readable
    // picture gets the list's own.
    void setEntries(const QStringList &items, const QList<QByteArray> &images = {});
    QStringList entries() const;
    // Selects row (-1 for none) and brings it into view.
    void setSelectedRow(int row);
    int selectedRow() const;
    int rowsPerPage() const;
    // The size that shows the longest item and up to ten rows.
    QSize preferredSize() const;

    // The colour dialog of "More Colors..."; tests replace it.
    void setColorChooser(ColorChooser chooser) { m_chooser = std::move(chooser); }
    std::optional<QColor> askColour(QColor current);

    // The column where an item's text starts.
    int textIndent() const { return m_kind == Kind::Color ? 31 : 20; }

Q_SIGNALS:
    // The user double-clicked an item.
    void chosen();
    // The user clicked a row.
    void rowClicked(int row);

private:
    Kind m_kind;
    ColorChooser m_chooser;
};
