// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/tablemarkup.h"
#include "dialogs/ui/dialogbase.h"

class EditorHost;
class QAction;
class QCheckBox;
class QFrame;
class QSpinBox;
class QTableWidget;
class QToolBar;
class TColourButton;

// The table wizard: the user lays the table out on a live grid whose sizes, cells, spacing, padding,
// colour and alignment are the table; "Insert Table" writes it at the caret of the active page.
class TTableForm : public TDialogBase
{
    Q_OBJECT
public:
    // Opens the wizard over the active page; it writes on "Insert Table" and nothing otherwise.
    static void run(EditorHost &host);

    TTableForm(EditorHost &host, QWidget *parent);

    // The grid as the markup writer takes it: sizes in the order shown, the area percentages count from.
    TableMarkup::TableGrid grid() const;
    TColor colour() const { return m_colour; }
    void applyColour(TColor colour);

    void AddColumnClick();
    void AddRowClick();
    void DeleteColumnClick();
    void DeleteRowClick();
    void CellSpacingClick();
    void CellPaddingClick();
    void SpinEditChange(int value);
    void InsertClick();

private:
    QAction *addTool(const char *name, const QString &hint, const QIcon &icon);
    void showEditPanel(QAction *under, int value);
    void updateButtons();

    EditorHost &m_editorHost;
    QToolBar *m_toolBar = nullptr;
    QTableWidget *m_sample = nullptr;
    QFrame *m_editPanel = nullptr;
    QSpinBox *m_spinEdit = nullptr;
    QAction *m_addColumn = nullptr;
    QAction *m_addRow = nullptr;
    QAction *m_deleteColumn = nullptr;
    QAction *m_deleteRow = nullptr;
    QAction *m_cellSpacing = nullptr;
    QAction *m_cellPadding = nullptr;
    QAction *m_valignTop = nullptr;
    QAction *m_valignMiddle = nullptr;
    QAction *m_valignBottom = nullptr;
    QCheckBox *m_percentages = nullptr;
    TColourButton *m_colorButton = nullptr;
    bool m_editingSpacing = true;
    int m_lineWidth = 1;
    int m_padding = 0;
    TColor m_colour = 0xFFFFFF;
};
