// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class SourceBuffer;

// Code sections (".ccs" files holding a start text and an end text, applied around the selection) and the
// folders that hold them under "Common Code". The files and folders on disk are the only storage; these
// functions change them and say why when the disk refuses.
namespace CodeSections {

QString startSection(); // "Start Tag"
QString endSection(); // "End Tag"
QString suffix(); // ".ccs"

struct Section
{
    QString start;
    QString end;
};

// The values of a section joined with CR LF, a last empty value dropped first.
QString joinLines(QStringList values);
// An unreadable file, or a section without keys, reads as empty text.
Section read(const QString &file);
// Each line of the texts as keys "0", "1", ... of its section, the sections replaced as a whole.
bool write(const QString &file, const QString &start, const QString &end, QString *reason = nullptr);
// A selection stored as it stands, one line per key counted from "1", with an empty end text.
bool writeSelection(const QString &file, const QString &selection, QString *reason = nullptr);

// Inserts the start text before the selection and the end text after it; the caret ends after the end
// text. Returns the end of the changed range, which starts at the old selection start.
int apply(SourceBuffer &buffer, const Section &section);

// base, or base + " 1", " 2", ... : the first name for which no entry name + extension exists in folder,
// compared without regard to case.
QString freeName(const QString &folder, const QString &base, const QString &extension);

struct Listing
{
    QStringList folders; // sub-folder names, alphabetical
    QStringList sections; // ".ccs" file names without the extension, alphabetical
};
Listing list(const QString &folder);
// True when the folder holds a sub-folder or a code section.
bool hasChildren(const QString &folder);

// Empty when name can stand as a file or folder name here, else why not.
QString nameProblem(const QString &name);

struct Result
{
    bool ok = false;
    QString message; // what the user is told when it failed
};
// Renames the file or folder at path to newName in the same folder (with extension appended); an
// existing entry of that name is never replaced.
Result rename(const QString &path, const QString &newName, const QString &extension);
// Moves the file into folder under its own name, never replacing one there.
Result move(const QString &file, const QString &folder);
// Removes the folder when, on disk, it holds nothing at all.
Result removeFolder(const QString &folder);
Result removeSection(const QString &file);
// Creates an empty code section file or a folder; false when the disk refuses.
Result createFile(const QString &file);
Result createFolder(const QString &folder);

QString emptyFolderMessage();

} // namespace CodeSections

// Script snippets: the files of "Java", each a script whose first line is a one-line description behind a
// three-character comment lead-in.
namespace Snippets {

struct Entry
{
    QString caption; // the file name without its last extension
    QString description;
};
// The folder's files in listing order.
QList<Entry> list(const QString &folder);
// The file inserted for a caption: caption + ".jss" in folder.
QString file(const QString &folder, const QString &caption);
// The snippet wrapped in a script element, with the comment guard, written as the tags' case asks.
QString insertion(const QString &snippet, bool upper);

} // namespace Snippets
