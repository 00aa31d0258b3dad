#pragma once
// The number of cores this process may run on: the processors of its CPU
// affinity, lowered to a container's CPU limit (cgroup v2 cpu.max).

#include <optional>
#include <string>
#include <string_view>

namespace orbelle::cli {

/// The whole cores a cgroup's cpu.max text ("QUOTA PERIOD", or "max PERIOD"
/// for no limit) allows, a fraction counting as a core; nothing for no limit
/// or a text that is not one.
std::optional<int> coresAllowedByCpuMax(std::string_view cpuMax);

/// The cgroup v2 path of a /proc/self/cgroup text (its "0::PATH" line), or
/// nothing when the process is in no v2 hierarchy.
std::optional<std::string> cgroupV2Path(std::string_view procSelfCgroup);

/// The least of the limits in the cpu.max files of the cgroup at path and
/// its parents under cgroupRoot; nothing when none of them limits.
std::optional<int> cgroupCoreLimit(const std::string& cgroupRoot, const std::string& path);

/// The cores of the affinity (at least 1), lowered to the limit when there
/// is one.
int usableCores(int affinityCores, std::optional<int> limit);

/// usableCores for this process: sched_getaffinity, /proc/self/cgroup and
/// /sys/fs/cgroup.
int usableCoresOfThisProcess();

} // namespace orbelle::cli
