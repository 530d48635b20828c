// A file system that passes everything to the real one until it is told to
// fail: an operation on a file (always, or after a number of successful
// ones), every operation after a number of them, or a write that stops half
// way. It is handed to what it tests like any file system.
//
//     FaultyFileSystem fs(state.dataDir);     // state reaches its files through fs
//     fs.fail(FaultyFileSystem::Op::Write, "12024.arc");      // every write of that file
//     fs.fail(FaultyFileSystem::Op::Read, "clienti", 2);       // reads after the first two
//     fs.fail(FaultyFileSystem::Op::Read, "impost", 1, 1);     // only the second read
//     fs.failShortWrite("impost");                             // half a record, then an error
//     fs.failAfter(5);                                         // the sixth operation and all later ones
#pragma once

#include "archive/data_dir.h"
#include "archive/file_system.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace tessaro::test {

class FaultyFileSystem : public archive::FileSystem {
public:
    enum class Op { Open, Read, Write, Remove, Rename, List, Sync, CreateDirectories };

    explicit FaultyFileSystem(archive::FileSystem& real = archive::realFileSystem());
    // Takes the place of the file system of dir for its own lifetime.
    explicit FaultyFileSystem(archive::DataDir& dir);
    ~FaultyFileSystem() override;
    FaultyFileSystem(const FaultyFileSystem&) = delete;
    FaultyFileSystem& operator=(const FaultyFileSystem&) = delete;

    // file: a whole path, or a file name matched against the last part of a path
    // ("12024.arc"), or for List the directory. `after` operations of that kind on
    // that file succeed first; then `times` of them fail (all later ones when -1).
    void fail(Op op, const std::string& file, int after = 0, int times = -1);
    // The next writes of the file put only the first half of their bytes on disk
    // and report the rest as not written.
    void failShortWrite(const std::string& file, int after = 0);
    // Operations of any kind on any file succeed `operations` times, then all fail.
    void failAfter(int operations);
    // Stops dead before the change after the next `changes` ones (a write, a
    // truncation, a removal, a rename, a file created), as a process killed
    // there: that change and every later operation fail, so nothing it still
    // holds in memory reaches the disk; the test then opens the files anew.
    // torn: that last change puts half of its bytes on the disk first.
    void crashAfter(int changes, bool torn = false);
    bool crashed() const;
    // Changes made so far.
    int changes() const { return m_changes; }
    // Back to passing everything through; counts are kept.
    void heal();

    // Operations of a kind tried on a file (failed ones included).
    int count(Op op, const std::string& file) const;
    int totalOperations() const { return m_total; }

    std::unique_ptr<archive::File> open(const std::string& path) override;
    bool exists(const std::string& path) override;
    bool remove(const std::string& path) override;
    // Counted as an operation on the file renamed.
    bool rename(const std::string& from, const std::string& to) override;
    std::optional<std::vector<std::string>> list(const std::string& dir) override;
    bool syncDirectory(const std::string& dir) override;
    // A change only when the directory was missing, as the creation of a file.
    bool createDirectories(const std::string& dir) override;

    // Whether a change may go ahead: false once the crash point is reached
    // (torn is then set when that change is to leave half its bytes).
    bool change(bool& torn);

    // Counts one operation and says how it must end; used by the files it opens.
    enum class Outcome { Pass, Fail, Short };
    Outcome check(Op op, const std::string& path);

private:
    struct Rule {
        Op op;
        std::string file;
        int after;
        int times; // failures still to give; -1 for no end
        bool shortWrite;
    };

    static bool matches(const std::string& path, const std::string& file);
    int countLocked(Op op, const std::string& file) const;

    archive::FileSystem& m_real;
    // The archive flushes several files side by side.
    mutable std::mutex m_mutex;
    archive::DataDir* m_redirected = nullptr;
    std::vector<Rule> m_rules;
    std::map<std::pair<Op, std::string>, int> m_counts;
    int m_failAfter = -1;
    int m_total = 0;
    int m_changes = 0;
    int m_crashAt = -1;
    bool m_tornCrash = false;
    bool m_crashed = false;
};

} // namespace tessaro::test
