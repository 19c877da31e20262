// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopentry.h"

#include "base/productstrings.h"
#include "base/safefile.h"

#include <QDir>
#include <QFileInfo>

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

QString desktopFileText(const QString &program)
{
    const QString exec = keyFileValue(execArgument(program)) + QStringLiteral(" %f");
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "Exec=%2\n"
                          "Terminal=false\n"
                          "MimeType=text/html;application/x-tagloom-site;\n"
                          "Categories=Development;WebDevelopment;TextEditor;\n"
                          "Actions=edit;\n"
                          "\n"
                          "[Desktop Action edit]\n"
                          "Name=&Edit in %3\n"
                          "Exec=%2\n")
        .arg(Product::title(), exec, Product::caption());
}

QString mimeTypeText()
{
    // Site files are text, as the shell entries' content type said.
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                          "  <mime-type type=\"application/x-tagloom-site\">\n"
                          "    <comment>Web Site File</comment>\n"
                          "    <sub-class-of type=\"text/plain\"/>\n"
                          "    <glob pattern=\"*.site\"/>\n"
                          "    <glob pattern=\"*.sit\"/>\n"
                          "  </mime-type>\n"
                          "</mime-info>\n");
}

bool install(const QString &dataHome, const QString &program, QString *error)
{
    const QDir home(dataHome);
    return writeFile(
               home.filePath(QStringLiteral("applications/tagloom.desktop")), desktopFileText(program), error)
        && writeFile(home.filePath(QStringLiteral("mime/packages/tagloom-site.xml")), mimeTypeText(), error);
}

} // namespace DesktopEntry
