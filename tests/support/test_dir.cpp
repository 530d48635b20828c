#include "test_dir.h"

#include <fstream>
#include <iterator>

namespace tessaro::test {

TestDir::TestDir() = default;

std::string TestDir::path() const
{
    return archive::nativeSeparators(m_dir.path().toStdString());
}

archive::DataDir TestDir::data(archive::FileSystem& fs) const
{
    return archive::DataDir(path(), fs);
}

std::string TestDir::file(const std::string& name) const
{
    return path() + archive::pathSeparator() + name;
}

std::vector<std::uint8_t> TestDir::bytes(const std::string& name) const
{
    std::ifstream in(file(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void TestDir::writeBytes(const std::string& name, const std::vector<std::uint8_t>& data) const
{
    std::ofstream out(file(name), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
}

bool TestDir::exists(const std::string& name) const
{
    return std::ifstream(file(name)).good();
}

} // namespace tessaro::test
