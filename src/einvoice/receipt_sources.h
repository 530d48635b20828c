// What the user chose to read receipts from (files, folders, ZIP archives as
// the portal hands them out) turned into the bytes of each candidate file.
// Archives are read in memory, never extracted: an entry's name never
// becomes a path on this machine.
#pragma once

#include "einvoice/sdi_receipt.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tessaro::einvoice {

// One candidate: its bytes, or the Italian reason it was not read.
struct ReceiptSource {
    std::string name; // the file's path, or "ricevute.zip: <entry>" for an archive's entry
    std::vector<std::uint8_t> bytes;
    std::string refusal; // empty when the bytes were read
};

// Bounds on what one choice may make the program read, however the archives
// were built; the totals count every path of the choice together.
struct SourceLimits {
    std::size_t maxFiles = 5000;
    std::size_t maxEntryBytes = MaxReceiptBytes;
    std::uint64_t maxTotalBytes = 256ull << 20;
    int maxFolderDepth = 4;
};

// In the order chosen; a folder's files sorted by path. In a folder only the
// ".xml" and ".zip" files are taken; a file chosen by itself always is.
std::vector<ReceiptSource> receiptSources(const std::vector<std::string>& paths, const SourceLimits& limits = {});

} // namespace tessaro::einvoice
