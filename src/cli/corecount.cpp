#include "cli/corecount.h"

#include <sched.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <thread>

namespace orbelle::cli {
namespace {

std::optional<std::int64_t> positiveNumber(std::string_view text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value <= 0) {
        return std::nullopt;
    }
    return value;
}

std::string readSmallFile(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

std::optional<int> coresAllowedByCpuMax(std::string_view cpuMax) {
    while (!cpuMax.empty() && (cpuMax.back() == '\n' || cpuMax.back() == ' ')) {
        cpuMax.remove_suffix(1);
    }
    const std::size_t space = cpuMax.find(' ');
    if (space == std::string_view::npos) {
        return std::nullopt;
    }
    const auto quota = positiveNumber(cpuMax.substr(0, space));
    const auto period = positiveNumber(cpuMax.substr(space + 1));
    if (!quota || !period) {
        return std::nullopt; // "max", or not a limit this reads
    }
    const std::int64_t cores = (*quota + *period - 1) / *period;
    return static_cast<int>(std::min<std::int64_t>(cores, 1 << 20));
}

std::optional<std::string> cgroupV2Path(std::string_view procSelfCgroup) {
    while (!procSelfCgroup.empty()) {
        const std::size_t end = procSelfCgroup.find('\n');
        const std::string_view line = procSelfCgroup.substr(0, end);
        if (line.substr(0, 3) == "0::" && line.size() > 3) {
            return std::string(line.substr(3));
        }
        if (end == std::string_view::npos) {
            break;
        }
        procSelfCgroup.remove_prefix(end + 1);
    }
    return std::nullopt;
}

std::optional<int> cgroupCoreLimit(const std::string& cgroupRoot, const std::string& path) {
    // A limit anywhere up the tree applies to everything below it.
    std::optional<int> least;
    std::string folder = path;
    while (true) {
        while (folder.size() > 1 && folder.back() == '/') {
            folder.pop_back();
        }
        if (const auto limit =
                coresAllowedByCpuMax(readSmallFile(cgroupRoot + folder + "/cpu.max"))) {
            least = least ? std::min(*least, *limit) : *limit;
        }
        const std::size_t slash = folder.rfind('/');
        if (folder.empty() || folder == "/" || slash == std::string::npos) {
            break;
        }
        folder.erase(slash == 0 ? 1 : slash);
    }
    return least;
}

int usableCores(int affinityCores, std::optional<int> limit) {
    int cores = std::max(affinityCores, 1);
    if (limit) {
        cores = std::min(cores, std::max(*limit, 1));
    }
    return cores;
}

int usableCoresOfThisProcess() {
    cpu_set_t set;
    CPU_ZERO(&set);
    const int affinity = sched_getaffinity(0, sizeof set, &set) == 0
                             ? CPU_COUNT(&set)
                             : static_cast<int>(std::thread::hardware_concurrency());
    std::optional<int> limit;
    if (const auto path = cgroupV2Path(readSmallFile("/proc/self/cgroup"))) {
        limit = cgroupCoreLimit("/sys/fs/cgroup", *path);
    }
    return usableCores(affinity, limit);
}

} // namespace orbelle::cli
