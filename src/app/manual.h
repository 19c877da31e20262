// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

// Where the user manual is: the folder "manual" in the program folder, beside a build or installed with
// the program; the online copy when it is missing.
namespace Manual {

// The full path of page ("index.html", "search.html", ...) in the manual under programFolder; empty
// when the page is not there.
QString localPage(const QString &programFolder, const QString &page);
// The online copy of page, for when there is no manual beside the program.
QUrl onlineUrl(const QString &page);

QString contentsPage(); // "index.html"
QString searchPage(); // "search.html", the manual's index of subjects

} // namespace Manual
