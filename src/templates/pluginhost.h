// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <optional>

class Prompter;
class SourceBuffer;

// The plug-in libraries of "Addin": shared libraries exporting GetInfo and Execute
// (plugins/tagloom-plugin.h). A library is loaded for one call and unloaded after it. The call itself runs in
// a child process forked for it, which hands the texts back through a pipe: a plug-in that crashes or never
// answers GetInfo costs that child, never the editor.
namespace PluginHost {

struct Info
{
    QString path;
    QString name;
    QString description;
    int major = 0;
    int minor = 0;

    // name + " ver " + major + "." + minor
    QString caption() const;
    // path + "|" + description: the menu item's hint
    QString hint() const;
};

// Every library of the folder that loads and answers GetInfo, in name order; the others are skipped.
QList<Info> scan(const QString &addinFolder);
std::optional<Info> info(const QString &libraryPath);

struct Result
{
    enum class Status { Ok, NotLoaded, NoEntryPoint, Failed };
    Status status = Status::Failed;
    QString text; // a null text from the plug-in is empty
    bool replaceSelection = false;
    QString error; // the loader's or the child's reason, for the log
};
Result execute(const QString &libraryPath, const QString &document, const QString &selection);

// "Invalid plugin file " + the path in double quotes.
QString invalidMessage(const QString &path);
// "Unable to find plugin to execute " + the path in double quotes.
QString missingMessage(const QString &path);

// A template's {#plugin:FILE}: runs FILE of the Addin folder on the buffer at its caret, with an empty
// selection, and reports a missing or failing library through the prompter. No undo step is recorded.
// Returns the range to colour when the text changed. A file name holding a separator or ".." is refused.
struct TemplateRun
{
    int start = 0;
    int end = 0;
};
std::optional<TemplateRun> runFromTemplate(
    SourceBuffer &buffer, const QString &addinFolder, const QString &fileName, Prompter &prompter);

} // namespace PluginHost
