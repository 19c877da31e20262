// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTextDocument>

// A tooltip that shows text exactly as written. Qt takes a tooltip that holds something like a tag for
// markup, and a line of a page always does.
inline QString plainToolTip(const QString &text)
{
    if (!Qt::mightBeRichText(text))
        return text;
    return QStringLiteral("<p style=\"white-space:pre-wrap\">") + text.toHtmlEscaped()
        + QStringLiteral("</p>");
}
