#include "bench/measure.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace tessaro::bench {

namespace {

long statusField(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::size_t length = std::strlen(field);
    while (std::getline(status, line)) {
        if (line.compare(0, length, field) == 0)
            return std::stol(line.substr(length + 1));
    }
    return -1;
}

} // namespace

double nowMs()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

long peakResidentKiB()
{
    return statusField("VmHWM:");
}

long residentKiB()
{
    return statusField("VmRSS:");
}

void resetPeakResident()
{
    // Linux resets VmHWM to the current resident size on "5".
    std::ofstream("/proc/self/clear_refs") << "5";
}

Figure measure(int runs, const std::function<void()>& setup, const std::function<void()>& work)
{
    std::vector<double> times;
    long peak = 0;
    for (int run = 0; run < runs; ++run) {
        if (setup)
            setup();
        resetPeakResident();
        const long before = residentKiB();
        const double start = nowMs();
        work();
        times.push_back(nowMs() - start);
        peak = std::max(peak, peakResidentKiB() - before);
    }
    return {median(times), peak};
}

std::size_t Interleaved::add(std::function<void()> setup, std::function<void()> work)
{
    m_operations.push_back({std::move(setup), std::move(work), {}});
    m_figures.emplace_back();
    return m_operations.size() - 1;
}

void Interleaved::run(int rounds)
{
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t i = 0; i < m_operations.size(); ++i) {
            const Figure once = measure(1, m_operations[i].setup, m_operations[i].work);
            m_operations[i].times.push_back(once.medianMs);
            m_figures[i].peakKiB = std::max(m_figures[i].peakKiB, once.peakKiB);
        }
    }
    for (std::size_t i = 0; i < m_operations.size(); ++i)
        m_figures[i].medianMs = median(m_operations[i].times);
}

ChildRun runChild(const std::string& self, const std::vector<std::string>& arguments)
{
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    const double start = nowMs();
    const pid_t pid = fork();
    if (pid < 0)
        return {};
    if (pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        close(fds[1]);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(self.c_str()));
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(self.c_str(), argv.data());
        _exit(127);
    }
    close(fds[1]);
    ChildRun run;
    std::string output;
    char buffer[256];
    ssize_t got;
    while ((got = read(fds[0], buffer, sizeof buffer)) > 0) {
        if (run.shownMs == 0 && std::memchr(buffer, '\n', static_cast<std::size_t>(got)))
            run.shownMs = nowMs() - start;
        output.append(buffer, static_cast<std::size_t>(got));
    }
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    long peak = 0;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 && std::sscanf(output.c_str(), "shown %ld", &peak) == 1;
    run.peakKiB = peak;
    return run;
}

} // namespace tessaro::bench
