// SPDX-License-Identifier: GPL-3.0-or-later
// The site file reader: any bytes are refused or read; a tree read is written and read back the same.
#include "fuzzcheck.h"
#include "site/sitefile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const SiteReading reading = SiteFile::parse(bytes, QStringLiteral("fuzz.site"));
    if (!reading.ok()) {
        FUZZ_CHECK(!reading.error.isEmpty());
        return 0;
    }
    const QByteArray written = SiteFile::serialise(*reading.root, reading.encoding);
    const SiteReading again = SiteFile::parse(written, QStringLiteral("fuzz.site"));
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(again.root->subtreeSize() == reading.root->subtreeSize());
    FUZZ_CHECK(SiteFile::serialise(*again.root, again.encoding) == written);
    return 0;
}
