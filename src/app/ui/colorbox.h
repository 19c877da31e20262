// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/colors.h"

#include <QColor>
#include <QComboBox>

#include <functional>
#include <optional>

// A drop-down list of colours: the sixteen named colours with swatches, the last custom colour chosen, and
// "Custom..." which asks for any other colour. The document toolbar's background colour box is one.
class TColorBox : public QComboBox
{
    Q_OBJECT

public:
    // Asks the user for a colour, starting from current; nothing when the user cancels.
    using ColorChooser = std::function<std::optional<QColor>(QColor current)>;

    explicit TColorBox(QWidget *parent = nullptr);

    TColor selectedColor() const;
    // Shows color without emitting colorChanged: the named item when it has one, the custom item otherwise.
    void setSelectedColor(TColor color);
    // Replaces the colour dialog that "Custom..." opens.
    void setColorChooser(ColorChooser chooser);

Q_SIGNALS:
    // The user picked a colour from the list or the colour dialog.
    void colorChanged(TColor color);

protected:
    void wheelEvent(QWheelEvent *event) override;

private:
    void itemActivated(int index);
    void chooseCustom();
    // Selects the named item for color, or adds or updates the custom item and selects that.
    void showColor(TColor color);
    int namedIndex(TColor color) const;
    int customIndex() const;
    int chooserIndex() const { return count() - 1; }

    ColorChooser m_chooser;
    // The item shown before the user opened the list, restored when the colour dialog is cancelled.
    int m_shownIndex = 0;
};
