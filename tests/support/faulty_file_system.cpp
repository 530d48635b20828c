#include "faulty_file_system.h"

namespace tessaro::test {

namespace {

class FaultyFile final : public archive::File {
public:
    FaultyFile(std::unique_ptr<archive::File> real, FaultyFileSystem& owner, std::string path)
        : m_real(std::move(real)), m_owner(owner), m_path(std::move(path))
    {
    }

    std::optional<std::size_t> readAt(std::uint64_t offset, std::span<std::uint8_t> out) override
    {
        if (m_owner.check(FaultyFileSystem::Op::Read, m_path) != FaultyFileSystem::Outcome::Pass)
            return std::nullopt;
        return m_real->readAt(offset, out);
    }

    std::size_t writeAt(std::uint64_t offset, std::span<const std::uint8_t> data) override
    {
        const FaultyFileSystem::Outcome outcome = m_owner.check(FaultyFileSystem::Op::Write, m_path);
        bool torn = false;
        if (!m_owner.change(torn))
            return torn ? m_real->writeAt(offset, data.first(data.size() / 2)) : 0;
        switch (outcome) {
        case FaultyFileSystem::Outcome::Pass:
            return m_real->writeAt(offset, data);
        case FaultyFileSystem::Outcome::Short:
            return m_real->writeAt(offset, data.first(data.size() / 2));
        case FaultyFileSystem::Outcome::Fail:
            break;
        }
        return 0;
    }

    std::optional<std::uint64_t> size() override
    {
        if (m_owner.crashed())
            return std::nullopt;
        return m_real->size();
    }

    bool truncate(std::uint64_t size) override
    {
        bool torn = false;
        return m_owner.change(torn) && m_real->truncate(size);
    }

    bool sync() override
    {
        return m_owner.check(FaultyFileSystem::Op::Sync, m_path) == FaultyFileSystem::Outcome::Pass && m_real->sync();
    }

private:
    std::unique_ptr<archive::File> m_real;
    FaultyFileSystem& m_owner;
    std::string m_path;
};

} // namespace

FaultyFileSystem::FaultyFileSystem(archive::FileSystem& real) : m_real(real) { }

FaultyFileSystem::FaultyFileSystem(archive::DataDir& dir) : m_real(dir.fs()), m_redirected(&dir)
{
    dir = archive::DataDir(dir.path(), *this);
}

FaultyFileSystem::~FaultyFileSystem()
{
    if (m_redirected)
        *m_redirected = archive::DataDir(m_redirected->path(), m_real);
}

void FaultyFileSystem::fail(Op op, const std::string& file, int after, int times)
{
    m_rules.push_back({op, file, after + count(op, file), times, false});
}

void FaultyFileSystem::failShortWrite(const std::string& file, int after)
{
    m_rules.push_back({Op::Write, file, after + count(Op::Write, file), -1, true});
}

void FaultyFileSystem::failAfter(int operations)
{
    m_failAfter = m_total + operations;
}

void FaultyFileSystem::crashAfter(int changes, bool torn)
{
    m_crashAt = m_changes + changes;
    m_tornCrash = torn;
}

bool FaultyFileSystem::crashed() const
{
    const std::lock_guard lock(m_mutex);
    return m_crashed;
}

bool FaultyFileSystem::change(bool& torn)
{
    const std::lock_guard lock(m_mutex);
    torn = false;
    if (m_crashed)
        return false;
    if (m_crashAt >= 0 && m_changes >= m_crashAt) {
        m_crashed = true;
        torn = m_tornCrash;
        return false;
    }
    ++m_changes;
    return true;
}

void FaultyFileSystem::heal()
{
    m_rules.clear();
    m_failAfter = -1;
    m_crashAt = -1;
    m_crashed = false;
}

int FaultyFileSystem::count(Op op, const std::string& file) const
{
    const std::lock_guard lock(m_mutex);
    return countLocked(op, file);
}

int FaultyFileSystem::countLocked(Op op, const std::string& file) const
{
    int total = 0;
    for (const auto& [key, seen] : m_counts) {
        if (key.first == op && matches(key.second, file))
            total += seen;
    }
    return total;
}

bool FaultyFileSystem::matches(const std::string& path, const std::string& file)
{
    if (path == file)
        return true;
    if (path.size() <= file.size() || !path.ends_with(file))
        return false;
    const char before = path[path.size() - file.size() - 1];
    return before == '/' || before == '\\';
}

FaultyFileSystem::Outcome FaultyFileSystem::check(Op op, const std::string& path)
{
    const std::lock_guard lock(m_mutex);
    Outcome outcome = (m_failAfter >= 0 && m_total >= m_failAfter) || m_crashed ? Outcome::Fail : Outcome::Pass;
    for (Rule& rule : m_rules) {
        if (rule.op != op || !matches(path, rule.file) || countLocked(op, rule.file) < rule.after || rule.times == 0)
            continue;
        if (rule.times > 0)
            --rule.times;
        if (rule.shortWrite && outcome == Outcome::Pass)
            outcome = Outcome::Short;
        else if (!rule.shortWrite)
            outcome = Outcome::Fail;
    }
    ++m_counts[{op, path}];
    ++m_total;
    return outcome;
}

std::unique_ptr<archive::File> FaultyFileSystem::open(const std::string& path)
{
    if (check(Op::Open, path) != Outcome::Pass)
        return nullptr;
    bool torn = false;
    if (!m_real.exists(path) && !change(torn))
        return nullptr;
    auto real = m_real.open(path);
    if (!real)
        return nullptr;
    return std::make_unique<FaultyFile>(std::move(real), *this, path);
}

bool FaultyFileSystem::exists(const std::string& path)
{
    return !crashed() && m_real.exists(path);
}

bool FaultyFileSystem::remove(const std::string& path)
{
    bool torn = false;
    if (check(Op::Remove, path) != Outcome::Pass || !change(torn))
        return false;
    return m_real.remove(path);
}

bool FaultyFileSystem::rename(const std::string& from, const std::string& to)
{
    bool torn = false;
    if (check(Op::Rename, from) != Outcome::Pass || !change(torn))
        return false;
    return m_real.rename(from, to);
}

std::optional<std::vector<std::string>> FaultyFileSystem::list(const std::string& dir)
{
    if (check(Op::List, dir) != Outcome::Pass)
        return std::nullopt;
    return m_real.list(dir);
}

bool FaultyFileSystem::syncDirectory(const std::string& dir)
{
    return check(Op::Sync, dir) == Outcome::Pass && m_real.syncDirectory(dir);
}

bool FaultyFileSystem::createDirectories(const std::string& dir)
{
    if (check(Op::CreateDirectories, dir) != Outcome::Pass)
        return false;
    bool torn = false;
    if (!m_real.exists(dir) && !change(torn))
        return false;
    return m_real.createDirectories(dir);
}

} // namespace tessaro::test
