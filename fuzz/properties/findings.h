// How a property check reports: the first property of one input that did not
// hold, or nothing when all held. The fuzz targets abort on a finding so
// libFuzzer keeps the input; the regression test shows it as a failure.
#pragma once

#include <cstddef>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

namespace tessaro::calc {

class Findings {
public:
    // Later findings are dropped: they are usually consequences of the first.
    template <typename... Parts> void fail(const Parts&... parts)
    {
        if (!m_first.empty())
            return;
        std::ostringstream out;
        out.precision(17);
        (out << ... << parts);
        m_first = out.str();
    }
    bool clean() const { return m_first.empty(); }
    const std::string& first() const { return m_first; }

private:
    std::string m_first;
};

// A text as a finding shows it: printable ASCII as is, every other byte as
// \xHH, so it can be pasted into a test.
std::string quoted(std::string_view bytes);

// Number of characters of a well-formed UTF-8 text of at most three bytes per
// character (all the program's code page reaches), or nothing otherwise.
std::optional<std::size_t> utf8Length(std::string_view text);

// The fuzz targets' reaction to a finding: print it and abort.
void abortOnFinding(const std::string& finding);

} // namespace tessaro::calc
