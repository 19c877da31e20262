// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// How a document's bytes were written, so saving an unchanged page gives the same bytes back.
enum class TextEncoding { Utf8, Utf8Bom, Windows1252 };
enum class LineEnd { CrLf, Lf, Cr };

struct FileFormat
{
    TextEncoding encoding = TextEncoding::Utf8;
    LineEnd lineEnd = LineEnd::CrLf;
    friend bool operator==(const FileFormat &, const FileFormat &) = default;
};

struct LoadedDocument
{
    bool ok = false;
    QString text; // line breaks made CR LF
    FileFormat format;
    QString error; // why the file could not be read, for the user
};

struct SaveResult
{
    bool ok = false;
    QString error; // why the file could not be written, for the user
};

namespace DocumentFile {

// UTF-8 (with or without BOM) when the bytes are valid UTF-8, Windows-1252 otherwise; every byte of a
// Windows-1252 file maps to one character and back, the five bytes it leaves undefined included. The
// line-end style is the one most lines use.
LoadedDocument decode(const QByteArray &bytes);
LoadedDocument load(const QString &path);

// Whether every character of text can be written in the encoding.
bool canEncode(const QString &text, TextEncoding encoding);
// The index of the first character the encoding cannot hold (a lone surrogate, or for Windows-1252 a
// character outside its table), or -1 when it can hold them all.
qsizetype unencodableAt(const QString &text, TextEncoding encoding);
// "UTF-8" or "Windows-1252", for messages and the status bar.
QString encodingName(TextEncoding encoding);
// text has CR LF line breaks; they are written in the format's style (a stray lone CR or LF too). A
// character the encoding cannot hold is written as a stand-in ("?" in Windows-1252, U+FFFD in UTF-8) and
// *ok is set false, so a caller can tell the bytes are not the text; save() refuses such text instead.
QByteArray encode(const QString &text, const FileFormat &format, bool *ok = nullptr);
// Writes atomically: on failure the old file is left whole and the error names the reason.
SaveResult save(const QString &path, const QString &text, const FileFormat &format);

} // namespace DocumentFile
