// SPDX-License-Identifier: GPL-3.0-or-later
// The recovery journal reader: any bytes are refused or read, and what is read is written back the same.
#include "app/journal.h"
#include "fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<JournalEntry> entry = Journal::parse(bytes);
    if (!entry)
        return 0;
    const std::optional<JournalEntry> again = Journal::parse(Journal::serialise(*entry));
    FUZZ_CHECK(again && again->text == entry->text && again->fileName == entry->fileName
        && again->format == entry->format);
    return 0;
}
