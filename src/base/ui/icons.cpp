// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ui/icons.h"

#include <QFile>
#include <QGuiApplication>

#include <array>
#include <cmath>
#include <span>

namespace {

struct ThemeName
{
    QStringView own;
    QStringView theme;
};

// Our names and the icon theme's standard names for the same purpose. Names missing here (the status
// pictures, the horizontal line, the symbol, the site's FTP entries) have no standard counterpart.
constexpr std::array themeNames {
    ThemeName { u"new", u"document-new" },
    ThemeName { u"open", u"document-open" },
    ThemeName { u"save", u"document-save" },
    ThemeName { u"print", u"document-print" },
    ThemeName { u"cut", u"edit-cut" },
    ThemeName { u"copy", u"edit-copy" },
    ThemeName { u"paste", u"edit-paste" },
    ThemeName { u"undo", u"edit-undo" },
    ThemeName { u"redo", u"edit-redo" },
    ThemeName { u"find", u"edit-find" },
    ThemeName { u"replace", u"edit-find-replace" },
    ThemeName { u"spelling", u"tools-check-spelling" },
    ThemeName { u"refresh", u"view-refresh" },
    ThemeName { u"bold", u"format-text-bold" },
    ThemeName { u"italic", u"format-text-italic" },
    ThemeName { u"underline", u"format-text-underline" },
    ThemeName { u"link", u"insert-link" },
    ThemeName { u"image", u"insert-image" },
    ThemeName { u"table", u"insert-table" },
    ThemeName { u"meta", u"document-properties" },
    ThemeName { u"about", u"help-about" },
    ThemeName { u"contents", u"help-contents" },
    ThemeName { u"folder", u"folder" },
    ThemeName { u"folder-open", u"folder-open" },
    ThemeName { u"new-folder", u"folder-new" },
    ThemeName { u"web-page", u"text-html" },
    ThemeName { u"delete", u"edit-delete" },
    // The program's own icon, installed into the hicolor theme under the application's id.
    ThemeName { u"tagloom", u"example.tagloom.Tagloom" },
};

// The sizes each picture is drawn at beforehand, so toolbars, menus and the status bar get pixmaps made
// for their size rather than scaled ones.
std::span<const int> sizesOf(const QString &name)
{
    static constexpr std::array toolbar { 16, 24 };
    static constexpr std::array application { 16, 24, 32, 48, 64 };
    static constexpr std::array status { 12, 16, 24 };
    if (name == u"tagloom")
        return application;
    if (name == u"typing" || name == u"notyping" || name == u"page" || name == u"site")
        return status;
    return toolbar;
}

} // namespace

namespace Icons {

QString themeName(const QString &name)
{
    for (const ThemeName &entry : themeNames) {
        if (entry.own == name)
            return entry.theme.toString();
    }
    return {};
}

QIcon ownIcon(const QString &name)
{
    const QString file = QStringLiteral(":/icons/") + name + QStringLiteral(".svg");
    if (!QFile::exists(file))
        return {};
    const QIcon drawing(file);
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QIcon result;
    for (int size : sizesOf(name)) {
        result.addPixmap(drawing.pixmap(QSize(size, size), 1.0));
        if (ratio > 1.0)
            result.addPixmap(drawing.pixmap(QSize(size, size), ratio));
    }
    return result;
}

QIcon icon(const QString &name)
{
    const QIcon own = ownIcon(name);
    const QString standard = themeName(name);
    if (standard.isEmpty() || own.isNull())
        return own;
    return QIcon::fromTheme(standard, own);
}

} // namespace Icons
