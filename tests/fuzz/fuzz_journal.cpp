// SPDX-License-Identifier: GPL-3.0-or-later
// The recovery journal reader, whole texts and journals of edits: any bytes are refused or read, and
// what is read is written back the same.
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
        && again->format == entry->format && again->base.bytes == entry->base.bytes
        && again->edits.size() == entry->edits.size());
    for (qsizetype i = 0; i < entry->edits.size(); ++i)
        FUZZ_CHECK(again->edits.at(i).position == entry->edits.at(i).position
            && again->edits.at(i).removed == entry->edits.at(i).removed
            && again->edits.at(i).inserted == entry->edits.at(i).inserted);
    return 0;
}
