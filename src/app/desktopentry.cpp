// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopentry.h"

#include "base/productstrings.h"
#include "base/safefile.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

// The characters that make an Exec argument need double quotes.
bool needsQuotes(const QString &argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    if (argument.isEmpty())
        return true;
    for (const QChar c : argument) {
        if (reserved.contains(c))
            return true;
    }
    return false;
}

// One argument of an Exec line. Inside double quotes ", `, $ and \ take a backslash; a literal % is
// doubled so it is not read as a field code.
QString execArgument(const QString &argument)
{
    QString out;
    const bool quoted = needsQuotes(argument);
    if (quoted)
        out += u'"';
    for (const QChar c : argument) {
        if (quoted && (c == u'"' || c == u'`' || c == u'$' || c == u'\\'))
            out += u'\\';
        if (c == u'%')
            out += u'%';
        out += c;
    }
    if (quoted)
        out += u'"';
    return out;
}

// A key file reads escapes in every string value before the Exec line is split into arguments, so the
// backslashes of the quoting are doubled once more.
QString keyFileValue(const QString &value)
{
    QString out;
    for (const QChar c : value) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\t')
            out += QStringLiteral("\\t");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

bool writeFile(const QString &path, const QString &text, QString *error)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("The folder “%1” could not be created.")
                         .arg(QDir::toNativeSeparators(folder));
        return false;
    }
    const SafeFile::Result written = SafeFile::write(path, text.toUtf8());
    if (!written.ok) {
        if (error)
            *error = QStringLiteral("“%1” could not be written: %2.")
                         .arg(QDir::toNativeSeparators(path), written.reason);
        return false;
    }
    return true;
}

} // namespace

namespace DesktopEntry {

QString desktopFileText(const QString &program, const QString &icon)
{
    const QString exec = keyFileValue(execArgument(program)) + QStringLiteral(" %f");
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "GenericName=HTML Editor\n"
                          "Comment=Write and manage web pages in HTML\n"
                          "Exec=%2\n"
                          "Icon=%4\n"
                          "Terminal=false\n"
                          "MimeType=text/html;application/xhtml+xml;%5;\n"
                          "Categories=Development;WebDevelopment;TextEditor;\n"
                          "Keywords=HTML;web;page;site;editor;\n"
                          "Actions=edit;\n"
                          "\n"
                          "[Desktop Action edit]\n"
                          "Name=Edit in %3\n"
                          "Exec=%2\n")
        .arg(Product::title(), exec, Product::caption(), keyFileValue(icon), siteMimeType());
}

QString siteMimeType()
{
    return QStringLiteral("application/x-tagloom-site");
}

QString mimeTypeText()
{
    // Site files are text, as the shell entries' content type said. Only ".site" is claimed: ".sit" is
    // also another program's archive type, and the program still opens a ".sit" file it is given.
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                          "  <mime-type type=\"%1\">\n"
                          "    <comment>Web Site File</comment>\n"
                          "    <sub-class-of type=\"text/plain\"/>\n"
                          "    <generic-icon name=\"text-x-generic\"/>\n"
                          "    <glob pattern=\"*.site\"/>\n"
                          "  </mime-type>\n"
                          "</mime-info>\n")
        .arg(siteMimeType());
}

bool refreshCaches(const QString &dataHome, bool wait)
{
    const QDir home(dataHome);
    bool ok = true;
    const std::pair<const char *, const char *> tools[]
        = { { "update-mime-database", "mime" }, { "update-desktop-database", "applications" } };
    for (const auto &[tool, folder] : tools) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(tool));
        const QString path = home.filePath(QString::fromLatin1(folder));
        if (program.isEmpty() || !QFileInfo(path).isDir()) {
            ok = false;
            continue;
        }
        if (!wait) {
            ok = QProcess::startDetached(program, { path }) && ok;
            continue;
        }
        QProcess process;
        process.start(program, { path });
        ok = process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit
            && process.exitCode() == 0 && ok;
    }
    return ok;
}

QString applicationId()
{
    return QStringLiteral("example.tagloom.Tagloom");
}

bool install(const QString &dataHome, const QString &program, const QString &icon, QString *error)
{
    const QDir home(dataHome);
    return writeFile(home.filePath(QStringLiteral("applications/tagloom.desktop")),
               desktopFileText(program, icon), error)
        && writeFile(home.filePath(QStringLiteral("mime/packages/tagloom-site.xml")), mimeTypeText(), error);
}

} // namespace DesktopEntry
