// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/ui/dialogbase.h"

#include <QImage>

class EditorHost;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QStackedWidget;

// The image wizard: the picture file, previewed, with browser defaults or custom size, border, title and
// alignment, and the client-side map it uses (which the map editor draws). Finish writes the IMG tag at
// the caret of the active page.
class TImageForm : public TDialogBase
{
    Q_OBJECT
public:
    static void run(EditorHost &host);

    TImageForm(EditorHost &host, QWidget *parent);

    void ImageFileChange();
    void BrowseButtonClick();
    void DefaultClick();
    void NextClick();
    void BackClick();
    void SetDimensionsClick();
    void MapClick();
    void AlignChange();
    void FinishClick();

    const QImage &picture() const { return m_picture; }

private:
    QWidget *makeGeneralPage();
    QWidget *makeSettingsPage();
    void updateButtons();
    QString documentFolder() const;

    EditorHost &m_editorHost;
    QImage m_picture;
    QStackedWidget *m_pages = nullptr;
    QLineEdit *m_imageFile = nullptr;
    QLabel *m_preview = nullptr;
    QRadioButton *m_default = nullptr;
    QRadioButton *m_custom = nullptr;
    QCheckBox *m_relative = nullptr;
    QComboBox *m_mapName = nullptr;
    QPushButton *m_map = nullptr;
    QCheckBox *m_defWidth = nullptr;
    QCheckBox *m_defHeight = nullptr;
    QCheckBox *m_defOffset = nullptr;
    QSpinBox *m_width = nullptr;
    QSpinBox *m_height = nullptr;
    QSpinBox *m_border = nullptr;
    QCheckBox *m_defTitle = nullptr;
    QLineEdit *m_title = nullptr;
    QCheckBox *m_defAlign = nullptr;
    QComboBox *m_align = nullptr;
    QLabel *m_alignPicture = nullptr;
    QLabel *m_alignDescription = nullptr;
    QPushButton *m_back = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_finish = nullptr;
};
