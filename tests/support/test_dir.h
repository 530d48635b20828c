// A fresh, empty data directory for one test, removed afterwards.
#pragma once

#include "archive/data_dir.h"

#include <QTemporaryDir>

#include <cstdint>
#include <string>
#include <vector>

namespace tessaro::test {

class TestDir {
public:
    TestDir();
    std::string path() const;
    // The directory as the archive takes it, reached through fs.
    archive::DataDir data(archive::FileSystem& fs = archive::realFileSystem()) const;
    // Path of a file of the directory, e.g. file("impost").
    std::string file(const std::string& name) const;
    std::vector<std::uint8_t> bytes(const std::string& name) const;
    void writeBytes(const std::string& name, const std::vector<std::uint8_t>& data) const;
    bool exists(const std::string& name) const;

private:
    QTemporaryDir m_dir;
};

} // namespace tessaro::test
