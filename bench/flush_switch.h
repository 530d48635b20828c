// The machine's file system with its flushes that can be turned off, so the
// benchmark can show what waiting for the disk costs a command.
#pragma once

#include "archive/file_system.h"

namespace tessaro::bench {

class FlushSwitch final : public archive::FileSystem {
public:
    bool flushes = true;

    std::unique_ptr<archive::File> open(const std::string& path) override
    {
        auto file = m_real.open(path);
        if (!file)
            return nullptr;
        return std::make_unique<SwitchedFile>(std::move(file), flushes);
    }
    bool exists(const std::string& path) override { return m_real.exists(path); }
    bool remove(const std::string& path) override { return m_real.remove(path); }
    bool rename(const std::string& from, const std::string& to) override { return m_real.rename(from, to); }
    std::optional<std::vector<std::string>> list(const std::string& dir) override { return m_real.list(dir); }
    bool syncDirectory(const std::string& dir) override { return !flushes || m_real.syncDirectory(dir); }
    bool createDirectories(const std::string& dir) override { return m_real.createDirectories(dir); }

private:
    class SwitchedFile final : public archive::File {
    public:
        SwitchedFile(std::unique_ptr<archive::File> real, bool flushes)
            : m_real(std::move(real)), m_flushes(flushes) { }
        std::optional<std::size_t> readAt(std::uint64_t offset, std::span<std::uint8_t> out) override
        {
            return m_real->readAt(offset, out);
        }
        std::size_t writeAt(std::uint64_t offset, std::span<const std::uint8_t> data) override
        {
            return m_real->writeAt(offset, data);
        }
        std::optional<std::uint64_t> size() override { return m_real->size(); }
        bool truncate(std::uint64_t size) override { return m_real->truncate(size); }
        bool sync() override { return !m_flushes || m_real->sync(); }

    private:
        std::unique_ptr<archive::File> m_real;
        bool m_flushes;
    };

    archive::FileSystem& m_real = archive::realFileSystem();
};

} // namespace tessaro::bench
