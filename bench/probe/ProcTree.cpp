#include "ProcTree.h"

#include <dirent.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <set>
#include <sstream>

namespace ProcTree {

namespace {

std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::string();
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool allDigits(const char* s) {
    if (!*s)
        return false;
    for (; *s; ++s) {
        if (*s < '0' || *s > '9')
            return false;
    }
    return true;
}

} // namespace

std::optional<StatFields> parseStatLine(const std::string& text) {
    const auto open = text.find('(');
    const auto close = text.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open)
        return std::nullopt;
    StatFields fields;
    try {
        fields.pid = std::stoi(text.substr(0, open));
    } catch (...) {
        return std::nullopt;
    }
    // After the name: state(3) ppid(4) ... utime(14) stime(15).
    std::istringstream rest(text.substr(close + 1));
    std::vector<std::string> words;
    std::string word;
    while (words.size() < 13 && rest >> word)
        words.push_back(word);
    if (words.size() < 13)
        return std::nullopt;
    char* end = nullptr;
    fields.ppid = static_cast<int>(std::strtol(words[1].c_str(), &end, 10));
    if (*end)
        return std::nullopt;
    const long long utime = std::strtoll(words[11].c_str(), &end, 10);
    if (*end)
        return std::nullopt;
    const long long stime = std::strtoll(words[12].c_str(), &end, 10);
    if (*end)
        return std::nullopt;
    fields.cpuTicks = utime + stime;
    return fields;
}

std::optional<long long> parsePssKb(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        // Only "Pss:" itself, not "Pss_Anon:" and its kind.
        if (line.rfind("Pss:", 0) != 0)
            continue;
        std::istringstream fields(line.substr(4));
        long long kb = 0;
        std::string unit;
        if (fields >> kb >> unit && unit == "kB")
            return kb;
        return std::nullopt;
    }
    return std::nullopt;
}

std::vector<int> descendantsOf(int root, const std::map<int, int>& parents) {
    std::multimap<int, int> children;
    for (const auto& [pid, ppid] : parents)
        children.emplace(ppid, pid);
    std::vector<int> tree{root};
    std::set<int> seen{root};
    for (size_t i = 0; i < tree.size(); ++i) {
        const auto range = children.equal_range(tree[i]);
        for (auto it = range.first; it != range.second; ++it) {
            if (seen.insert(it->second).second)
                tree.push_back(it->second);
        }
    }
    return tree;
}

std::vector<int> liveTreeOf(int root) {
    std::map<int, int> parents;
    if (DIR* proc = opendir("/proc")) {
        while (dirent* entry = readdir(proc)) {
            if (!allDigits(entry->d_name))
                continue;
            const auto stat =
                parseStatLine(readWhole(std::string("/proc/") + entry->d_name + "/stat"));
            if (stat)
                parents[stat->pid] = stat->ppid;
        }
        closedir(proc);
    }
    if (!parents.count(root))
        return {};
    return descendantsOf(root, parents);
}

long long treeCpuTicks(const std::vector<int>& pids) {
    long long ticks = 0;
    for (int pid : pids) {
        const auto stat = parseStatLine(readWhole("/proc/" + std::to_string(pid) + "/stat"));
        if (stat)
            ticks += stat->cpuTicks;
    }
    return ticks;
}

std::optional<long long> parseSchedstatNs(const std::string& text) {
    std::istringstream in(text);
    long long ns = -1;
    if (!(in >> ns) || ns < 0)
        return std::nullopt;
    return ns;
}

long long treeCpuNs(const std::vector<int>& pids) {
    long long ns = 0;
    for (int pid : pids) {
        const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
        DIR* dir = opendir(tasks.c_str());
        if (!dir)
            continue;
        while (dirent* entry = readdir(dir)) {
            if (!allDigits(entry->d_name))
                continue;
            if (const auto used =
                    parseSchedstatNs(readWhole(tasks + "/" + entry->d_name + "/schedstat")))
                ns += *used;
        }
        closedir(dir);
    }
    return ns;
}

long long treePssKb(const std::vector<int>& pids) {
    long long kb = 0;
    for (int pid : pids) {
        const auto pss = parsePssKb(readWhole("/proc/" + std::to_string(pid) + "/smaps_rollup"));
        if (pss)
            kb += *pss;
    }
    return kb;
}

double msPerTick() {
    const long hz = sysconf(_SC_CLK_TCK);
    return hz > 0 ? 1000.0 / static_cast<double>(hz) : 10.0;
}

long long monotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

} // namespace ProcTree
