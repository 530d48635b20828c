// The table the benchmark prints: each operation with its median time, the
// peak memory where it applies, and the goal beside the figure.
#pragma once

#include "bench/measure.h"

#include <string>
#include <vector>

namespace tessaro::bench {

class Report {
public:
    // A figure without a goal (a reference the goals are measured against).
    void add(const std::string& operation, const Figure& figure, const std::string& note);
    // A figure whose median must stay within limitMs.
    void addAgainst(const std::string& operation, const Figure& figure, double limitMs, const std::string& goal);
    void memoryGoal(const std::string& operation, long peakKiB, long limitKiB);

    void print() const;
    bool allMet() const;

private:
    struct Row {
        std::string operation;
        std::string time;
        std::string memory;
        std::string goal;
        std::string verdict; // empty for a reference
    };
    std::vector<Row> m_rows;
};

} // namespace tessaro::bench
