// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/linkanalyser.h"

#include "editor/paths.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace LinkAnalyser {

namespace {

// Splits where the old file-name functions did: after the last separator or drive colon.
void splitAddress(Link &link)
{
    const QString path = Paths::ChangeSlashes(link.address, false);
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u':')) + 1;
    link.location = path.first(cut);
    link.fileName = path.mid(cut);
}

bool fileExists(const QString &address, const QString &documentFile)
{
    QString path = Paths::ChangeSlashes(address, false);
    // "page.htm#part" and "page.htm?x=1" name the file before the mark.
    const qsizetype mark = path.indexOf(QRegularExpression(QStringLiteral("[#?]")));
    if (mark >= 0)
        path.truncate(mark);
    if (path.isEmpty())
        return false;
    // A relative link is looked for beside the page only, never in the program's working folder.
    if (QDir::isAbsolutePath(path))
        return QFileInfo::exists(path);
    if (documentFile.isEmpty())
        return false;
    return QFileInfo::exists(Paths::GetAbsoluteDir(QFileInfo(documentFile).absolutePath() + u'/', path));
}

State classify(const QString &address, QStringView text, const QString &documentFile)
{
    if (address.contains(QStringLiteral("://"))
        || address.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive))
        return State::External;
    if (address.startsWith(u'#')) {
        // A prefix of a longer anchor's name counts as found, as the search matches the name's start.
        const QString anchor = QStringLiteral("<A NAME=\"") + address.mid(1);
        const qsizetype at = text.indexOf(anchor, 0, Qt::CaseInsensitive);
        return at >= 1 && at < text.size() - 1 ? State::Ok : State::Broken;
    }
    return fileExists(address, documentFile) ? State::Ok : State::Broken;
}

} // namespace

Report analyse(QStringView text, const QString &documentFile)
{
    Report report;
    for (const QString &marker : { QStringLiteral("<A "), QStringLiteral("<SHAPE ") }) {
        qsizetype position = 0;
        while (true) {
            const qsizetype start = text.indexOf(marker, position, Qt::CaseInsensitive);
            if (start < 0)
                break;
            const qsizetype end = text.indexOf(u'>', start + 1);
            // A tag without its ">" ends the scan: there is no tag after it to read either.
            if (end < 0)
                break;
            position = end + 1;
            const QStringView tag = text.mid(start, end - start);
            const QString href = QStringLiteral(" HREF=\"");
            const qsizetype h = tag.indexOf(href, 0, Qt::CaseInsensitive);
            if (h < 0)
                continue;
            const qsizetype from = start + h + href.size();
            const qsizetype quote = text.indexOf(u'"', from);
            if (quote < 0)
                break;
            Link link;
            link.address = text.mid(from, quote - from).toString();
            splitAddress(link);
            link.state = classify(link.address, text, documentFile);
            ++report.total;
            switch (link.state) {
            case State::Ok:
                ++report.ok;
                break;
            case State::Broken:
                ++report.broken;
                break;
            case State::External:
                ++report.external;
                break;
            }
            report.links.append(link);
        }
    }
    return report;
}

QString totalText(int total)
{
    return QStringLiteral("This document contains a total of ") + QString::number(total)
        + (total == 1 ? QStringLiteral(" link.") : QStringLiteral(" links."));
}

QString okText(int ok)
{
    return QString::number(ok) + QStringLiteral(" of these links are OK.");
}

QString brokenText(int broken)
{
    return QString::number(broken) + QStringLiteral(" of these links are broken.");
}

QString externalText(int external)
{
    return QString::number(external) + QStringLiteral(" of these links are external (uncheckable).");
}

QString openableAddress(const Link &link)
{
    const QString address = link.location.compare(QStringLiteral("mailto:"), Qt::CaseInsensitive) == 0
        ? QStringLiteral("mailto:") + link.fileName
        : link.location + link.fileName;
    const qsizetype colon = address.indexOf(u':');
    const QString scheme = colon > 0 ? address.first(colon).toLower() : QString();
    static const QStringList allowed { QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("ftp"),
        QStringLiteral("mailto") };
    return allowed.contains(scheme) ? address : QString();
}

} // namespace LinkAnalyser
