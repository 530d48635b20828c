#include "bench/report.h"

#include <algorithm>
#include <cstdio>

namespace tessaro::bench {

namespace {

std::string milliseconds(double ms)
{
    char text[32];
    if (ms < 0.01)
        std::snprintf(text, sizeof text, "%.2f us", ms * 1000);
    else if (ms < 10)
        std::snprintf(text, sizeof text, "%.3f ms", ms);
    else
        std::snprintf(text, sizeof text, "%.1f ms", ms);
    return text;
}

std::string mebibytes(long kib)
{
    if (kib < 0)
        return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MiB", static_cast<double>(kib) / 1024);
    return text;
}

} // namespace

void Report::add(const std::string& operation, const Figure& figure, const std::string& note)
{
    m_rows.push_back({operation, milliseconds(figure.medianMs), mebibytes(figure.peakKiB), note, ""});
}

void Report::addAgainst(const std::string& operation, const Figure& figure, double limitMs, const std::string& goal)
{
    m_rows.push_back({operation, milliseconds(figure.medianMs), mebibytes(figure.peakKiB),
                      goal + " (" + milliseconds(limitMs) + ")", figure.medianMs <= limitMs ? "met" : "MISSED"});
}

void Report::memoryGoal(const std::string& operation, long peakKiB, long limitKiB)
{
    m_rows.push_back({operation, "-", mebibytes(peakKiB), "<= 2 x bare (" + mebibytes(limitKiB) + ")",
                      peakKiB <= limitKiB ? "met" : "MISSED"});
}

void Report::print() const
{
    std::size_t width = 9;
    for (const Row& row : m_rows)
        width = std::max(width, row.operation.size());
    const int w = static_cast<int>(width);
    std::printf("\n| %-*s | %11s | %10s | %-26s | %-6s |\n", w, "Operation", "Median", "Peak mem", "Goal", "");
    std::printf("|%s|%s|%s|%s|%s|\n", std::string(width + 2, '-').c_str(), std::string(13, '-').c_str(),
                std::string(12, '-').c_str(), std::string(28, '-').c_str(), std::string(8, '-').c_str());
    for (const Row& row : m_rows)
        std::printf("| %-*s | %11s | %10s | %-26s | %-6s |\n", w, row.operation.c_str(), row.time.c_str(),
                    row.memory.c_str(), row.goal.c_str(), row.verdict.c_str());
    std::printf("\nPeak memory: growth of the resident set during the operation; for start-up, the child's VmHWM.\n");
}

bool Report::allMet() const
{
    return std::none_of(m_rows.begin(), m_rows.end(), [](const Row& row) { return row.verdict == "MISSED"; });
}

} // namespace tessaro::bench
