// SPDX-License-Identifier: GPL-3.0-or-later
// The colouring engine: a whole text, then edits, each compared with a fresh colouring of the result.
// The input is the text up to its first NUL byte, then four bytes per edit.
#include "editor/colouring.h"
#include "fuzzcheck.h"

#include <QString>

#include <algorithm>
#include <cstring>

using namespace Colouring;

namespace {

std::vector<Class> engineClasses(Engine<char16_t> &engine, const QString &text)
{
    std::vector<Class> out(size_t(text.size()), Class::Text);
    if (!text.isEmpty())
        engine.classes(StringSource(text), 0, text.size(), out.data());
    return out;
}

const char16_t *const pieces[] = { u"x", u"<", u">", u"\"", u"\r\n", u"\n", u"<!--", u"-->", u"&amp;", u" ",
    u"#ff00ff", u"<p class=\"a\">", u"'", u"=", u"\r", u"\t" };

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const char *bytes = reinterpret_cast<const char *>(data);
    const size_t split = std::find(bytes, bytes + size, '\0') - bytes;
    QString text = QString::fromUtf8(bytes, qsizetype(split));

    Engine<char16_t> engine;
    engine.reset(StringSource(text));
    FUZZ_CHECK(engineClasses(engine, text) == classesOf(text));

    int edits = 0;
    for (size_t at = split + 1; at + 4 <= size && edits < 64; at += 4, ++edits) {
        const qsizetype position = (data[at] | data[at + 1] << 8) % (text.size() + 1);
        const qsizetype removed = std::min<qsizetype>(data[at + 2] % 8, text.size() - position);
        const QString insert = (data[at + 3] & 0x80)
            ? QString()
            : QString::fromUtf16(pieces[data[at + 3] % std::size(pieces)]);
        text.replace(position, removed, insert);
        const LineRange range = engine.edit(StringSource(text), position, removed, insert.size());
        FUZZ_CHECK(engine.isUpToDate());
        FUZZ_CHECK(engine.length() == text.size());
        // The edited line is always among the lines reported.
        const qsizetype line = engine.lineAt(position);
        if (removed > 0 || !insert.isEmpty())
            FUZZ_CHECK(!range.isEmpty() && range.first <= line && range.last >= line);
        if (edits % 8 == 0)
            FUZZ_CHECK(engineClasses(engine, text) == classesOf(text));
    }
    FUZZ_CHECK(engineClasses(engine, text) == classesOf(text));
    return 0;
}
