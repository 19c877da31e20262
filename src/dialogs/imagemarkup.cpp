// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/imagemarkup.h"

#include "dialogs/tagscan.h"
#include "editor/paths.h"

#include <QDir>
#include <QUrl>

using TagCommands::cased;

namespace ImageMarkup {

QStringList alignments()
{
    return { QStringLiteral("Top"), QStringLiteral("TextTop"), QStringLiteral("Middle"),
        QStringLiteral("AbsMiddle"), QStringLiteral("Bottom"), QStringLiteral("AbsBottom"),
        QStringLiteral("Left"), QStringLiteral("Right") };
}

QStringList alignmentDescriptions()
{
    return { QStringLiteral("Align top of image with top of line"),
        QStringLiteral("Align top of image with top of text"),
        QStringLiteral("Align middle of image with bottom of text"),
        QStringLiteral("Align middle of image with middle of line"),
        QStringLiteral("Align bottom of image with bottom of text"),
        QStringLiteral("Align bottom of image with bottom of line"),
        QStringLiteral("Anchor image to left margin"), QStringLiteral("Anchor image to right margin") };
}

QString imageMarkup(const ImageTag &tag, const TagCommands::TagStyle &style)
{
    QString markup = cased(QStringLiteral("<IMG SRC=\""), style) + tag.source + u'"';
    if (tag.custom) {
        if (tag.width)
            markup += cased(QStringLiteral(" WIDTH="), style) + QString::number(*tag.width);
        if (tag.height)
            markup += cased(QStringLiteral(" HEIGHT="), style) + QString::number(*tag.height);
        if (tag.border)
            markup += cased(QStringLiteral(" BORDER="), style) + QString::number(*tag.border);
        if (tag.alt)
            markup += cased(QStringLiteral(" ALT="), style) + u'"' + *tag.alt + u'"';
        if (tag.align)
            markup += cased(QStringLiteral(" ALIGN=") + *tag.align, style);
    }
    if (!tag.mapName.isEmpty())
        markup += cased(QStringLiteral(" ISMAP USEMAP="), style) + QStringLiteral("\"#") + tag.mapName + u'"';
    return markup + u'>';
}

namespace {

bool isUrl(const QString &field)
{
    // "c:" would read as a scheme too; real schemes are longer than one letter.
    const qsizetype colon = field.indexOf(u':');
    return colon > 1 && QUrl(field).isValid() && !QUrl(field).scheme().isEmpty();
}

} // namespace

QString localPath(const QString &field, const QString &documentFolder)
{
    if (field.isEmpty() || isUrl(field))
        return {};
    const QString path = Paths::ChangeSlashes(field, false);
    if (QDir::isAbsolutePath(path))
        return QDir::cleanPath(path);
    if (documentFolder.isEmpty())
        return {};
    return Paths::GetAbsoluteDir(documentFolder + u'/', path);
}

QString sourceName(const QString &field, bool relative, const QString &documentFolder)
{
    const QString web = Paths::ChangeSlashes(field, true);
    if (!relative || documentFolder.isEmpty() || isUrl(field) || !web.startsWith(u'/'))
        return web;
    return Paths::ChangeSlashes(Paths::GetRelativeDir(documentFolder + u'/', web), true);
}

QStringList mapNames(const QString &text)
{
    QStringList names;
    for (const TagScan::Tag &tag : TagScan::tags(text, QStringLiteral("map"))) {
        std::optional<QString> name = tag.attribute(QStringLiteral("id"));
        if (!name || name->isEmpty())
            name = tag.attribute(QStringLiteral("name"));
        if (name && !name->isEmpty() && !names.contains(*name, Qt::CaseInsensitive))
            names.append(*name);
    }
    return names;
}

} // namespace ImageMarkup
