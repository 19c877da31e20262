// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Hand-written-looking HTML pages for the benchmarks: nested tables, forms, lists, comments, entities,
// inline styles and font tags, scripts, long attribute values, some non-ASCII text and a few very long
// lines. The same size and seed give the same bytes on every run of a build, so runs compare.
namespace PageGenerator {

// About `bytes` bytes of UTF-8 (never less), with CR LF line breaks.
QByteArray pageUtf8(qsizetype bytes, quint32 seed = 1);
QString page(qsizetype bytes, quint32 seed = 1);

} // namespace PageGenerator
