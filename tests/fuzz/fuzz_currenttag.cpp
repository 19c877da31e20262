// SPDX-License-Identifier: GPL-3.0-or-later
// The current-tag editor and the prompting. The first byte chooses: a tag loaded, applied and loaded
// again (the same rows, and a tag that still loads), or the rest typed key by key into the prompting
// (whose tag start always stands on a "<" of the text).
#include "base/programfolder.h"
#include "editor/colouring.h"
#include "editor/currenttag.h"
#include "editor/plainbuffer.h"
#include "editor/prompting.h"
#include "editor/tagdatabase.h"
#include "fuzzcheck.h"

using namespace CurrentTag;

namespace {

const TagDatabase &database()
{
    static TagDatabase tables;
    static const bool opened = tables.open(ProgramFolder::path());
    FUZZ_CHECK(opened);
    return tables;
}

// A value without the quotes around it: Apply may quote a value that a blank, "<" or ">" would cut, and
// write a double quote inside it as "&quot;", which means the same.
QString bare(const QString &value)
{
    QString text = value;
    if (text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') && text.back() == text.front())
        text = text.mid(1, text.size() - 2);
    return text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
}

void applyAndLoad(const QString &text, bool upper)
{
    if (checkSelection(text) != SelectionCheck::WholeTag)
        return;
    LoadedTag tag = loadTag(text, 0, database());
    PlainBuffer buffer(text);
    if (applyTag(buffer, tag, upper).status != ApplyStatus::Applied)
        return;
    const QString written = buffer.text();
    FUZZ_CHECK(checkSelection(written) == SelectionCheck::WholeTag);
    const LoadedTag again = loadTag(written, 0, database());
    FUZZ_CHECK(again.rows.size() == tag.rows.size());
    for (qsizetype i = 0; i < tag.rows.size(); ++i)
        FUZZ_CHECK(
            bare(again.rows.at(i).value).compare(bare(tag.rows.at(i).value), Qt::CaseInsensitive) == 0);
}

const char16_t keys[]
    = { u'<', u'>', u' ', u'=', u'"', u'/', u'\b', u'\r', u'\t', u'a', u'b', u'i', u'm', u'g', u't', u'd',
          u'f', u'o', u'n', u'c', u'l', u'r', u's', u'#', u'!', u'-', u'e', u'h', u'p', u'1', u'2' };

void type(const QByteArray &input)
{
    PlainBuffer buffer(QStringLiteral("<body>\r\n\r\n</body>"));
    buffer.setSelStart(8);
    Prompting prompting(database());
    const auto classAt = [&buffer](int position) {
        const std::vector<Colouring::Class> classes = Colouring::classesOf(buffer.text());
        return position >= 0 && position < int(classes.size()) ? classes[size_t(position)]
                                                               : Colouring::Class::Text;
    };
    for (const char byte : input.left(200)) {
        const auto code = std::uint8_t(byte);
        if (code >= 250) {
            prompting.setSelection(code - 250);
            prompting.choose(buffer);
            continue;
        }
        const QChar key(keys[code % std::size(keys)]);
        const Prompting::KeyOutcome out = prompting.keyPress(buffer, key, classAt);
        if (out.choose)
            prompting.choose(buffer);
        if (!out.swallow) {
            const int caret = buffer.selStart();
            if (key == QChar(Prompting::backspace)) {
                if (caret > 0) {
                    buffer.select(caret - 1, 1);
                    buffer.setSelText(QString());
                }
            } else {
                buffer.setSelText(key == u'\r' ? QStringLiteral("\r\n") : QString(key));
            }
        }
        const int start = prompting.tagStart();
        FUZZ_CHECK(start == -1 || (start < buffer.length() && buffer.charAt(start) == u'<'));
        FUZZ_CHECK(buffer.selStart() >= 0 && buffer.selStart() <= buffer.length());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray rest(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    if (data[0] & 1)
        type(rest);
    else
        applyAndLoad(QString::fromUtf8(rest), data[0] & 2);
    return 0;
}
