#pragma once

#include <chrono>

#include <time.h>

// The two clocks a main-thread frame is measured by.
namespace frameclock {

using Clock = std::chrono::steady_clock;

inline double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The calling thread's own CPU time: what its frames cost, without the time other
// processes on a shared machine take the core from it.
inline double threadCpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

}  // namespace frameclock
