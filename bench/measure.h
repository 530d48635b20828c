// Timing and memory figures of the benchmark: medians of repeated runs, the
// peak resident memory of a stretch of work, and runs of a child process.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace tessaro::bench {

struct Figure {
    double medianMs = 0;
    long peakKiB = -1; // -1 when it does not apply
};

double nowMs();
double median(std::vector<double> values);

// Runs setup (untimed) then work (timed) `runs` times; the peak is the most
// the resident memory grew above where it stood before work, over all runs.
Figure measure(int runs, const std::function<void()>& setup, const std::function<void()>& work);

// Operations measured side by side: each round runs every one of them once,
// in turn, so a machine that gets busier part way slows them all alike.
class Interleaved {
public:
    // Returns the index of the operation's figure.
    std::size_t add(std::function<void()> setup, std::function<void()> work);
    void run(int rounds);
    const Figure& figure(std::size_t index) const { return m_figures[index]; }

private:
    struct Operation {
        std::function<void()> setup;
        std::function<void()> work;
        std::vector<double> times;
    };
    std::vector<Operation> m_operations;
    std::vector<Figure> m_figures;
};

// The peak resident memory (VmHWM) of this process so far, and a reset of it.
long peakResidentKiB();
long residentKiB();
void resetPeakResident();

// Starts this executable with the arguments, waits for the line it writes when
// its window is on screen ("shown <VmHWM KiB>") and for its end. The time runs
// from the start of the child to that line.
struct ChildRun {
    bool ok = false;
    double shownMs = 0;
    long peakKiB = 0;
};
ChildRun runChild(const std::string& self, const std::vector<std::string>& arguments);

} // namespace tessaro::bench
