// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/drops.h"

#include "editor/paths.h"
#include "editor/sourcebuffer.h"

using TagCommands::EditResult;
using TagCommands::TagStyle;

namespace {

// A double quote in a file name would end the attribute value early; written as the URL escape it means
// the same file.
QString quoted(const QString &target)
{
    QString value = target;
    value.replace(QLatin1Char('"'), QStringLiteral("%22"));
    return QLatin1Char('"') + value + QLatin1Char('"');
}

} // namespace

namespace Drops {

bool acceptsSiteItem(const SiteDrag::Item &item)
{
    return item.icon > 2;
}

QString siteItemFile(const SiteDrag::Item &item)
{
    return Paths::GetAbsoluteDir(item.root, item.icon == AnchorIcon ? item.page : item.text);
}

QString pageFolder(const QString &pageFile)
{
    const QString file = Paths::ChangeSlashes(pageFile, true);
    return file.left(file.lastIndexOf(QLatin1Char('/')) + 1);
}

QString relativeLink(const QString &pageFile, const QString &file)
{
    return Paths::ChangeSlashes(Paths::GetRelativeDir(pageFolder(pageFile), file), true);
}

EditResult insertLink(SourceBuffer &buffer, const QString &target, const TagStyle &style)
{
    return TagCommands::insertFormatTag(buffer,
        { TagCommands::cased(QStringLiteral("<A HREF="), style) + quoted(target) + QLatin1Char('>'),
            TagCommands::cased(QStringLiteral("</A>"), style) });
}

EditResult insertImage(SourceBuffer &buffer, const QString &target, ImageSource source, const TagStyle &style)
{
    const QString start
        = source == ImageSource::DynSrc ? QStringLiteral("<IMG DYNSRC=") : QStringLiteral("<IMG SRC=");
    return TagCommands::insertFormatTag(
        buffer, { TagCommands::cased(start, style) + quoted(target) + QLatin1Char('>'), QString() });
}

int styleSheetPosition(const SourceBuffer &buffer)
{
    return buffer.findText(QStringLiteral("</head>"), 0, buffer.length());
}

EditResult insertStyleSheetLink(SourceBuffer &buffer, const QString &target, const TagStyle &style)
{
    EditResult result;
    const int position = styleSheetPosition(buffer);
    if (position < 0)
        return result;
    const QString link = TagCommands::cased(QStringLiteral("<LINK REL=STYLESHEET TYPE="), style)
        + TagCommands::cased(QStringLiteral("\"TEXT/CSS\" HREF="), style) + quoted(target)
        + QStringLiteral(">\r\n");
    buffer.select(position, 0);
    buffer.setSelText(link);
    result.changed = true;
    result.focusEditor = true;
    result.recolourStart = position;
    result.recolourEnd = position + int(link.size());
    return result;
}

EditResult dropSiteItem(
    SourceBuffer &buffer, const SiteDrag::Item &item, const QString &pageFile, const TagStyle &style)
{
    if (item.icon == AnchorIcon && item.page.isEmpty())
        return {};
    const QString target = relativeLink(pageFile, siteItemFile(item));
    switch (item.icon) {
    case PageIcon:
        return insertLink(buffer, target, style);
    case AnchorIcon:
        return insertLink(buffer, target + QLatin1Char('#') + item.text, style);
    case GifIcon:
    case ImageIcon:
        return insertImage(buffer, target, ImageSource::Src, style);
    case StyleSheetIcon:
        return insertStyleSheetLink(buffer, target, style);
    default:
        return {};
    }
}

QString siteItemUndoStep()
{
    return QStringLiteral("Drag Item");
}

FileKind fileKind(const QString &path)
{
    const QString name = Paths::ChangeSlashes(path, true).section(QLatin1Char('/'), -1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot < 0 ? QString() : name.mid(dot);
    for (const char *image : { ".gif", ".jpg", ".jpeg", ".bmp" }) {
        if (extension == QLatin1String(image))
            return FileKind::Image;
    }
    if (extension == QLatin1String(".avi"))
        return FileKind::Video;
    if (extension == QLatin1String(".css"))
        return FileKind::StyleSheet;
    if (extension == QLatin1String(".sit") || extension == QLatin1String(".site"))
        return FileKind::Site;
    return FileKind::Other;
}

QString fileUndoStep(FileKind kind)
{
    switch (kind) {
    case FileKind::Image:
    case FileKind::Video:
        return QStringLiteral("Drag File");
    case FileKind::StyleSheet:
        return QStringLiteral("Drag Style Sheet");
    case FileKind::Other:
        return QStringLiteral("Drag Link");
    case FileKind::Site:
        break;
    }
    return QString();
}

EditResult dropFile(
    SourceBuffer &buffer, FileKind kind, const QString &file, const QString &pageFile, const TagStyle &style)
{
    const QString target = relativeLink(pageFile, file);
    switch (kind) {
    case FileKind::Image:
        return insertImage(buffer, target, ImageSource::Src, style);
    case FileKind::Video:
        return insertImage(buffer, target, ImageSource::DynSrc, style);
    case FileKind::StyleSheet:
        return insertStyleSheetLink(buffer, target, style);
    case FileKind::Other:
        return insertLink(buffer, target, style);
    case FileKind::Site:
        break;
    }
    return {};
}

QString saveFirstQuestion()
{
    return QStringLiteral("You must save the file before you can add internal links. Save now?");
}

QString openOrLinkQuestion()
{
    return QStringLiteral("You can either open this file or create a link to it. Do you want to open it?");
}

} // namespace Drops
