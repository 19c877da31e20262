// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/settingsvalues.h"
#include "optioncommands.h"

#include <QDialog>
#include <QMap>

class EditorHost;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class TColouringView;
class TSourceEditor;

// The settings dialog: syntax colours, the new-page template, the editor font, the external programs and
// the switches of the Advanced page. It reads the store when made and writes every value on Finish; its
// sample editors are coloured by the same colouring as the pages. Made for one use by OptionCommands.
class TSettingsForm : public QDialog
{
    Q_OBJECT
public:
    using Page = OptionCommands::SettingsPage;

    TSettingsForm(EditorHost &host, QWidget *parent = nullptr);
    ~TSettingsForm() override;

    void showPage(Page page);
    const SwitchTree &switches() const { return m_switches; }

    void FinishClick();
    void UseCurrentClick();
    void FontButtonClick();
    void SettingsTreeChange(QTreeWidgetItem *item);
    void HighlightClick();
    // Asks for a colour for the selected element; nothing on Cancel.
    void ColorButtonClick();
    void setElementColour(SettingsValues::Element element, TColor colour);
    void ElementsClick();

private:
    QWidget *colorsPage();
    QWidget *templatePage();
    QWidget *fontPage();
    QWidget *pathsPage();
    QWidget *advancedPage();
    QLabel *sampleLabel(const QString &name, const QString &text, SettingsValues::Element element);
    void showColours();
    void showSwitches();
    void colourSamples();
    void browseProgram(QLineEdit *edit);
    void showProgramIcon(QLineEdit *edit, QLabel *image);
    QString sampleText() const;
    bool eventFilter(QObject *watched, QEvent *event) override;

    EditorHost &m_host;
    SettingsValues m_values;
    SwitchTree m_switches;
    QTabWidget *Pages;
    QCheckBox *Highlight = nullptr;
    QListWidget *Elements = nullptr;
    QPushButton *ColorButton = nullptr;
    QCheckBox *UseDocSettings = nullptr;
    QWidget *Back1 = nullptr;
    QMap<QLabel *, SettingsValues::Element> m_sampleLabels;
    TSourceEditor *Default = nullptr;
    TColouringView *m_defaultColouring = nullptr;
    TSourceEditor *Sample = nullptr;
    TColouringView *m_sampleColouring = nullptr;
    QLabel *m_fontLabel = nullptr;
    QLineEdit *BrowserPath = nullptr;
    QLineEdit *ImagePath = nullptr;
    QLabel *BrowserImage = nullptr;
    QLabel *ImgEditorImage = nullptr;
    QTreeWidget *SettingsTree = nullptr;
};
