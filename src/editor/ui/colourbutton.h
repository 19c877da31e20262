// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/colors.h"

#include <QColor>
#include <QToolButton>

#include <functional>
#include <optional>

class QMenu;

// The formatting toolbar's colour button: its main part writes the last-used colour, its drop-down offers
// the sixteen named colours and "&More Colors", and its picture shows the last-used colour as a bar under
// the letter. The main window keeps nothing else for it: every route ends in colourChosen.
class TColourButton : public QToolButton
{
    Q_OBJECT

public:
    // Asks the user for a colour, starting from current; nothing when the user cancels.
    using ColorChooser = std::function<std::optional<QColor>(QColor current)>;

    explicit TColourButton(QWidget *parent = nullptr);

    TColor lastColour() const { return m_lastColour; }
    // Makes colour the last-used one and redraws the swatch.
    void setLastColour(TColor colour);
    // Replaces the colour dialog that "&More Colors" opens.
    void setColorChooser(ColorChooser chooser);
    // The colour dialog of "&More Colors", also run by the Format menu's "&Colour...": on OK the colour
    // becomes the last-used one and colourChosen is emitted; on Cancel nothing happens.
    void chooseMoreColours();
    QMenu *colourMenu() const { return m_menu; }

Q_SIGNALS:
    // A colour to write around the selection: the last-used one from the main part, or the one just chosen
    // from the drop-down or the colour dialog.
    void colourChosen(TColor colour);

protected:
    void changeEvent(QEvent *event) override;

private:
    void pick(TColor colour);
    void redraw();

    QMenu *m_menu = nullptr;
    ColorChooser m_chooser;
    TColor m_lastColour;
};
