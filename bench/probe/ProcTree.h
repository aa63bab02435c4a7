#pragma once
// What the kernel says about a process and everything it started: the tree
// of descendants (the web engine's helpers hang below the program, some of
// them below its zygote), the CPU time the tree has used and the memory it
// holds in proportional set size. Plain C++ so that the launcher stays light.

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace ProcTree {

struct StatFields {
    int pid = 0;
    int ppid = 0;
    long long cpuTicks = 0; // utime + stime, in clock ticks
};

// Parses the text of /proc/<pid>/stat. The command name sits in parentheses
// and may itself hold spaces and parentheses, so fields are counted from the
// last ')'.
std::optional<StatFields> parseStatLine(const std::string& text);

// The "Pss:" figure of /proc/<pid>/smaps_rollup, in kB.
std::optional<long long> parsePssKb(const std::string& text);

// The first field of /proc/<pid>/task/<tid>/schedstat: nanoseconds on a CPU.
std::optional<long long> parseSchedstatNs(const std::string& text);

// root and every process whose chain of parents leads to it, root first,
// from a map of pid -> parent pid.
std::vector<int> descendantsOf(int root, const std::map<int, int>& parents);

// Live readings from /proc. A process that ends while it is read is skipped.
std::vector<int> liveTreeOf(int root);
long long treeCpuTicks(const std::vector<int>& pids);
// CPU time in nanoseconds of every live thread of the processes, from
// /proc/<pid>/task/<tid>/schedstat. Tick counts are whole 10 ms steps per
// process, too coarse for a figure of a few milliseconds summed over four
// processes; a thread that ends between two readings takes its time with it.
long long treeCpuNs(const std::vector<int>& pids);
long long treePssKb(const std::vector<int>& pids);
// Milliseconds per clock tick of this system.
double msPerTick();

// CLOCK_MONOTONIC in nanoseconds, the time base of every mark.
long long monotonicNs();

} // namespace ProcTree
