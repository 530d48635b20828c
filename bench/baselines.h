// The plain file work the goals are measured against: reading both files of
// a book from start to end, and copying them.
#pragma once

#include "archive/book.h"

#include <string>

namespace tessaro::bench {

// Reads the .arc and the .agg front to back in large blocks; the bytes read.
std::size_t readSequentially(const archive::BookPaths& book);
// Copies the files a renumbering moves (the .arc, the .agg and the side files
// there are) into folder; flushed: and waits until the copies are on the disk.
void copyBook(const archive::BookPaths& book, const std::string& folder, bool flushed = false);
double bookMiB(const archive::BookPaths& book);

} // namespace tessaro::bench
