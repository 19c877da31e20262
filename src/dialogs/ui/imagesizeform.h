// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/ui/dialogbase.h"

#include <QImage>

#include <optional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class StretchedPicture;

// The image sizer: the picture stretched over a window the user resizes to choose the image's width and
// height, keeping the aspect ratio while "Proportional Resize" is checked.
class TImageSizeForm : public TDialogBase
{
    Q_OBJECT
public:
    // The size chosen with "&Done"; nothing when the window was closed otherwise. A width or height of 0
    // starts from the picture's own size.
    static std::optional<QSize> run(CommandHost &host, QWidget *parent, const QImage &picture, QSize size);

    TImageSizeForm(CommandHost &host, QWidget *parent, const QImage &picture, QSize size);

    // The picture's size as shown.
    QSize pictureSize() const;
    // The ratio as the field shows it: W / H with four decimals.
    QString aspectRatioText() const;
    void AspectRatioChange();

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void keepProportion();

    QWidget *m_bar = nullptr;
    StretchedPicture *m_resizeImage = nullptr;
    QLineEdit *m_aspectRatio = nullptr;
    QCheckBox *m_proportional = nullptr;
    QPushButton *m_close = nullptr;
    int m_width = 1; // W and H: the reference size the ratio and the proportion come from
    int m_height = 1;
    bool m_adjusting = false;
    bool m_userSized = false;
    QSize m_initialSize;
    QSize m_chosen;
};
