// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"

#include "base/productstrings.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace CommandLine {

Request parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("%1, an HTML editor").arg(Product::caption()));
    const QCommandLineOption help(
        { QStringLiteral("h"), QStringLiteral("help") }, QStringLiteral("Show this help and exit."));
    const QCommandLineOption version(
        { QStringLiteral("v"), QStringLiteral("version") }, QStringLiteral("Show the version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(QStringLiteral("file"),
        QStringLiteral(
            "A page (.htm, .html) to open, or a site file (.site, .sit) to open beside a new page."),
        QStringLiteral("[file]"));

    const QString program
        = arguments.isEmpty() ? Product::title().toLower() : QFileInfo(arguments.constFirst()).fileName();
    // The parser names the running program, which need not be this one (tests) or not yet exist.
    auto usage = [&] {
        QString text = parser.helpText();
        const qsizetype end = text.indexOf(u'\n');
        return text.replace(0, end, QStringLiteral("Usage: %1 [options] [file]").arg(program));
    };

    Request request;
    QStringList given = arguments;
    if (given.isEmpty())
        given.append(program);
    if (!parser.parse(given)) {
        request.action = Action::Error;
        request.text = parser.errorText() + QStringLiteral("\n\n") + usage();
        return request;
    }
    if (parser.isSet(help)) {
        request.action = Action::Help;
        request.text = usage();
        return request;
    }
    if (parser.isSet(version)) {
        request.action = Action::Version;
        request.text
            = QStringLiteral("%1 %2\n").arg(Product::title().toLower(), QStringLiteral(TAGLOOM_VERSION));
        return request;
    }
    for (const QString &file : parser.positionalArguments()) {
        if (file != u"-" && !file.isEmpty())
            request.files.append(file);
    }
    if (request.files.size() > 1) {
        request.action = Action::Error;
        request.text = QStringLiteral("Only one file can be given.\n\n") + usage();
        request.files.clear();
    }
    return request;
}

int exitStatus(const Request &request)
{
    return request.action == Action::Error ? 2 : 0;
}

} // namespace CommandLine
