// SPDX-License-Identifier: GPL-3.0-or-later
// The page decode and encode: a page opened and saved unchanged is saved as the same bytes, and so is
// every file whose line breaks are all of one style.
#include "base/documentfile.h"
#include "fuzzcheck.h"

namespace {

// Every break CR LF, or every one LF, or every one CR.
bool oneLineEndStyle(const QByteArray &bytes)
{
    int crlf = 0, lf = 0, cr = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes.at(i) == '\r' && i + 1 < bytes.size() && bytes.at(i + 1) == '\n') {
            ++crlf;
            ++i;
        } else if (bytes.at(i) == '\r') {
            ++cr;
        } else if (bytes.at(i) == '\n') {
            ++lf;
        }
    }
    return (crlf > 0) + (lf > 0) + (cr > 0) <= 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const LoadedDocument doc = DocumentFile::decode(bytes);
    FUZZ_CHECK(doc.ok);
    bool fits = false;
    const QByteArray out = DocumentFile::encode(doc.text, doc.format, &fits);
    FUZZ_CHECK(fits);
    const LoadedDocument again = DocumentFile::decode(out);
    FUZZ_CHECK(again.ok && again.text == doc.text && again.format == doc.format);
    FUZZ_CHECK(DocumentFile::encode(again.text, again.format) == out);
    if (oneLineEndStyle(bytes))
        FUZZ_CHECK(out == bytes);
    return 0;
}
