// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// The link analyser: every link of a page (A and SHAPE tags with an HREF), each checked where the local
// machine can check it: files against the disk, anchors against the page's own named anchors.
namespace LinkAnalyser {

enum class State { Ok = 0, Broken = 1, External = 2 }; // the row's icon number

struct Link
{
    QString address; // as the page writes it
    QString fileName; // after the last "/" (or ":", as in "mailto:")
    QString location; // what comes before it
    State state = State::Broken;
};

struct Report
{
    QList<Link> links;
    int total = 0;
    int ok = 0;
    int broken = 0;
    int external = 0;
};

// documentFile is the page's file, empty for a page never saved: its relative links then find nothing.
Report analyse(QStringView text, const QString &documentFile);

// The four count labels.
QString totalText(int total);
QString okText(int ok);
QString brokenText(int broken);
QString externalText(int external);

// What Check Now asks the desktop to open for a row: "mailto:" and the address for e-mail, the whole
// address otherwise. Empty when the address is not a web, FTP or e-mail one: a file or program address
// in a page is not opened from here.
QString openableAddress(const Link &link);

} // namespace LinkAnalyser
