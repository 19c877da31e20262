// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/currenttag.h"

#include <QWidget>

class QComboBox;
class QPushButton;
class QTreeWidget;

// The left pane's "Current Tag Editor" page: the attribute list TagEditor, above it one of the four value
// boxes in the same place, below it the buttons. It only shows rows and reports what the user did; the
// tag editor commands decide what that means. Owned by the left pane's page control.
class TTagEditorPage : public QWidget
{
    Q_OBJECT
public:
    enum class Box { Value, Color, FontName, FontStyle };

    explicit TTagEditorPage(QWidget *parent = nullptr);

    QTreeWidget *tagEditor() const { return TagEditor; }
    QComboBox *box(Box box) const;
    QComboBox *valueCombo() const { return ValueCombo; }
    QComboBox *colorCombo() const { return ColorCombo; }
    QComboBox *fontNameCombo() const { return FontNameCombo; }
    QComboBox *fontStyleCombo() const { return FontStyleCombo; }
    QPushButton *applyChanges() const { return ApplyChanges; }
    QPushButton *editTag() const { return EditTag; }

    // One list row per row, caption and value.
    void setRows(const QList<CurrentTag::Row> &rows);
    void setRowValue(int row, const QString &value);
    // The selected row, or -1.
    int currentRow() const;
    void setCurrentRow(int row);

    // Shows box in the value place and hides the other three.
    void showBox(Box box);
    Box shownBox() const { return m_shown; }
    // The boxes take input only while a row is being edited.
    void setBoxesEnabled(bool enabled);
    // Sets a box's text without it counting as the user's change.
    void setBoxText(Box box, const QString &text);
    void setFontNames(const QStringList &names);
    void setStyleClasses(const QStringList &classes);
    // Makes text still being typed into a box final, as leaving the box would.
    void commitTypedText() { commitTyped(m_typedIn); }

Q_SIGNALS:
    // The selected row changed (TagEditorClick).
    void rowSelected();
    // A box's value is final: an item was chosen from its list (typed false), or text typed into it was
    // ended by Enter or by leaving the box (typed true).
    void boxCommitted(TTagEditorPage::Box box, bool typed);
    void applyClicked();
    void editTagClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QComboBox *makeBox(Box box, const char *name);
    void commitTyped(Box box);

    QTreeWidget *TagEditor;
    QComboBox *ValueCombo;
    QComboBox *ColorCombo;
    QComboBox *FontNameCombo;
    QComboBox *FontStyleCombo;
    QPushButton *ApplyChanges;
    QPushButton *EditTag;
    Box m_shown = Box::Value;
    Box m_typedIn = Box::Value;
    bool m_typed = false; // text was typed into m_typedIn since its value was last final
};
