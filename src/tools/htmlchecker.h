// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <functional>

class TagDatabase;

// The HTML checker: the page's structure first (HTML, HEAD, TITLE, BODY or FRAMESET and their order),
// then every tag and attribute against the tag table, and the lowest HTML version the page needs. It
// reads the text only; the dialog that runs it shows the progress and the findings.
namespace HtmlChecker {

struct Finding
{
    QString message;
    int start = 0; // the span that was being examined, in characters of the text
    int length = 0;
};

struct Result
{
    QList<Finding> findings;
    QString minimumVersion = QStringLiteral("1"); // as the version panel shows it after the prefix
};

enum class Phase { Structure, Tags };

// Called between the structure steps and at each "<" of the tag scan with the position examined and
// the findings so far, so a window can show its progress. The text must not change meanwhile.
using Progress = std::function<void(Phase phase, int position, const QList<Finding> &findings)>;

// The tag scan stops once the list holds more than this many entries.
inline constexpr int findingLimit = 100;

Result check(QStringView text, const TagDatabase &tags, const Progress &progress = {});

// "Finished checking HTML. " and the count, or that nothing was found.
QString summary(int findingCount);

} // namespace HtmlChecker
