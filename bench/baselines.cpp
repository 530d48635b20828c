#include "bench/baselines.h"

#include "archive/file_system.h"

#include <cstdio>
#include <filesystem>
#include <vector>

namespace tessaro::bench {

namespace {

constexpr std::size_t BlockSize = 1 << 16;

std::size_t readFile(const std::string& path, std::vector<char>& block)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return 0;
    std::size_t total = 0;
    std::size_t got;
    while ((got = std::fread(block.data(), 1, block.size(), file)) > 0)
        total += got;
    std::fclose(file);
    return total;
}

} // namespace

std::size_t readSequentially(const archive::BookPaths& book)
{
    std::vector<char> block(BlockSize);
    return readFile(book.invoices, block) + readFile(book.extraLines, block);
}

void copyBook(const archive::BookPaths& book, const std::string& folder, bool flushed)
{
    namespace fs = std::filesystem;
    // What a renumbering moves: the .arc, the .agg and the side files there are.
    std::vector<const std::string*> paths {&book.invoices, &book.extraLines};
    for (const archive::SideFile& side : archive::sideFiles(book)) {
        if (fs::exists(*side.path))
            paths.push_back(side.path);
    }
    for (const std::string* path : paths) {
        const fs::path source(*path);
        const fs::path target = fs::path(folder) / source.filename();
        fs::copy_file(source, target, fs::copy_options::overwrite_existing);
        if (flushed) {
            const auto file = archive::realFileSystem().open(target.string());
            if (file)
                file->sync();
        }
    }
}

double bookMiB(const archive::BookPaths& book)
{
    std::error_code ignored;
    const auto bytes
        = std::filesystem::file_size(book.invoices, ignored) + std::filesystem::file_size(book.extraLines, ignored);
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

} // namespace tessaro::bench
