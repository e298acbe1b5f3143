// Bounding one run as a whole, whatever it starts: a control group of its own where the system
// offers one (memory, processes, and the peak of memory measured), otherwise the per-process
// limits of setrlimit; and the size of its working folder, watched as it runs.
#ifndef ENGINE_LIMITS_H
#define ENGINE_LIMITS_H

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

// What one run may use. Zero means no limit.
struct Limits {
    double wallSeconds = 10;
    int cpuSeconds = 5;            // each process's processor time
    long memoryMiB = 256;          // the whole run, with a control group; each process, without
    int processes = 16;            // the whole run, with a control group; beyond its user's, without
    long outputBytes = 1L << 20;   // standard output, and standard error, each
    long fileBytes = 16L << 20;    // each file it writes
    long diskBytes = 32L << 20;    // its working folder, and the box's /tmp, each
    long keptBytes = 16L << 20;    // a failing run's scratch folder is kept up to this size
};

// What bounds a run here, decided once: a control group of version 2 (delegated to this user),
// one of version 1 (memory and pids, writable: root), or each process's own limits.
enum class Bounding { CgroupV2, CgroupV1, PerProcess };
Bounding bounding();

// One run's control group, made before the run starts and removed after it ends.
class RunGroup {
public:
    RunGroup() = default;
    RunGroup(const RunGroup &) = delete;
    RunGroup &operator=(const RunGroup &) = delete;
    ~RunGroup();
    // Makes the group with the limits (memory and processes, of which `overhead` are the box's
    // own); false when this system offers none, and then nothing bounds the run as a whole.
    bool make(const Limits &limits, int overhead);
    bool made() const { return !folders.empty(); }
    // In the child, before exec: moves it into the group. Only async-signal-safe calls.
    bool enter() const;
    // Kills every process in the group, however it was started, and waits until none is left.
    void killAll() const;
    long peakBytes() const;        // the most memory the run held at once; -1 unknown
    bool memoryExhausted() const;  // the kernel killed one of its processes for memory
    bool processesExhausted() const;  // a fork failed at the limit of processes

private:
    void release();
    std::vector<fs::path> folders;  // one for each hierarchy (v1: memory and pids; v2: one)
    std::vector<int> joins;         // their cgroup.procs, open for the child to write
};

// Each process's own limits, set in the child just before exec. The address space only when
// asked (a sanitized program reserves terabytes of it); the count of processes only without a
// group (for this user: beyond processesBefore).
void applyLimits(const Limits &limits, bool addressSpace, long processesBefore);

// How many processes the user has now: the limit on processes counts them all. -1 unknown.
long processesOf(uid_t user);

// The disk a folder takes, counting every entry as at least a block; stops counting once
// past stopAt (and then returns more than it).
long folderBytes(const fs::path &folder, long stopAt);

#endif
