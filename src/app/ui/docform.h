// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/documentoptions.h"

#include <QDialog>

class DocumentCommands;
class DocumentHost;
class QAudioOutput;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMediaPlayer;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QFrame;

// The Document Options wizard: the page's title, background, margins, colours and background sound in
// three steps. It reads the page without changing it and writes everything on Finish, as one undo step.
// Made for one use by OptionCommands.
class TDocForm : public QDialog
{
    Q_OBJECT
public:
    TDocForm(DocumentHost &host, DocumentCommands &documents, QWidget *parent = nullptr);
    ~TDocForm() override;

    void BackClick();
    void NextClick();
    void FinishClick();
    void SoundNameChange();
    void PictureClick();
    int currentPage() const;

private:
    QWidget *optionsPage();
    QWidget *colorsPage();
    QWidget *soundPage();
    QPushButton *colourButton(const QString &name, const QString &caption, TColor *colour);
    void showColours();
    void showBackground();
    void updateButtons();
    QString documentFolder() const;
    // The file a typed name stands for: as typed when it exists, else beside the page; empty for none.
    QString existingFile(const QString &name) const;

    DocumentHost &m_host;
    DocumentCommands &m_documents;
    DocumentOptions m_options;
    QStackedWidget *m_pages;
    QPushButton *Back;
    QPushButton *Next;
    QPushButton *Finish;
    QLineEdit *Title = nullptr;
    QLineEdit *Background = nullptr;
    QLabel *BackImage = nullptr;
    QCheckBox *Fixed = nullptr;
    QCheckBox *Relative = nullptr;
    QSpinBox *LeftMargin = nullptr;
    QSpinBox *TopMargin = nullptr;
    QFrame *Sample = nullptr;
    QLabel *TextLbl = nullptr;
    QLabel *LinkLbl = nullptr;
    QLabel *ALinkLbl = nullptr;
    QLabel *VLinkLbl = nullptr;
    QPushButton *Picture = nullptr;
    QPixmap m_picture;
    bool m_showPicture = false;
    QLineEdit *SoundName = nullptr;
    QCheckBox *SoundRelative = nullptr;
    QRadioButton *Infinity = nullptr;
    QRadioButton *Times = nullptr;
    QSpinBox *Repeat = nullptr;
    QPushButton *PlayButton = nullptr;
    QPushButton *StopButton = nullptr;
    QMediaPlayer *Player = nullptr;
    QAudioOutput *m_audio = nullptr;
};
