// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for. It takes --help, --version and at most one file, a page or a site file;
// a lone "-" (a file manager's or script's "no file") is dropped.
namespace CommandLine {

enum class Action { Run, Help, Version, Error };

struct Request
{
    Action action = Action::Run;
    QStringList files; // empty or one file, as the main window takes them
    QString text; // the usage, the version line or the error and usage, to print
};

// arguments includes the program name first, as QCoreApplication::arguments() gives it.
Request parse(const QStringList &arguments);

// The exit status for a request that does not start the window: 0 for help and version, 2 for errors.
int exitStatus(const Request &request);

} // namespace CommandLine
