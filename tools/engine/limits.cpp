// Bounding one run as a whole: its control group, or each process's own limits.
#include "limits.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

std::string readSmall(const fs::path &path) {
    std::string text;
    FILE *file = fopen(path.c_str(), "r");
    if (file == nullptr)
        return text;
    char block[4096];
    size_t count;
    while ((count = fread(block, 1, sizeof block, file)) > 0 && text.size() < 65536)
        text.append(block, count);
    fclose(file);
    return text;
}

bool writeSmall(const fs::path &path, const std::string &text) {
    const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    return close(fd) == 0 && written;
}

// The number after a key in a file of "key number" lines (memory.events, pids.events).
long keyed(const fs::path &path, const std::string &key) {
    const std::string text = readSmall(path);
    for (size_t at = text.find(key + " "); at != std::string::npos; at = text.find(key + " ", at + 1))
        if (at == 0 || text[at - 1] == '\n')
            return strtol(text.c_str() + at + key.size() + 1, nullptr, 10);
    return 0;
}

long number(const fs::path &path) {
    const std::string text = readSmall(path);
    return text.empty() || !isdigit(static_cast<unsigned char>(text[0])) ? -1 : strtol(text.c_str(), nullptr, 10);
}

// Where this process is in a hierarchy, from /proc/self/cgroup: the path after the line's
// controllers ("4:memory:/a/b"; version 2: "0::/a/b").
std::string ownGroup(const std::string &controller) {
    for (const std::string &line : [] {
             std::vector<std::string> lines;
             const std::string text = readSmall("/proc/self/cgroup");
             size_t start = 0;
             for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
                 lines.push_back(text.substr(start, end - start));
             return lines;
         }()) {
        const size_t first = line.find(':');
        const size_t second = line.find(':', first + 1);
        if (first == std::string::npos || second == std::string::npos)
            continue;
        const std::string controllers = "," + line.substr(first + 1, second - first - 1) + ",";
        if (controllers.find("," + controller + ",") != std::string::npos)
            return line.substr(second + 1);
    }
    return {};
}

bool hasWords(const std::string &text, std::initializer_list<const char *> words) {
    const std::string padded = " " + text;
    for (const char *word : words)
        if (padded.find(std::string(" ") + word) == std::string::npos)
            return false;
    return true;
}

// Version 2: the mount, and this process's group, whose children get memory and pids.
fs::path unifiedParent() {
    const fs::path mount = fs::exists("/sys/fs/cgroup/cgroup.controllers") ? "/sys/fs/cgroup" : "/sys/fs/cgroup/unified";
    const std::string own = ownGroup("");
    if (own.empty())
        return {};
    const fs::path parent = mount / fs::path(own).relative_path();
    const std::string subtree = readSmall(parent / "cgroup.subtree_control");
    if (!hasWords(subtree, {"memory", "pids"}) || access(parent.c_str(), W_OK) != 0)
        return {};
    return parent;
}

// Version 1: this process's groups in the memory and pids hierarchies, when both are writable.
std::vector<fs::path> legacyParents() {
    std::vector<fs::path> parents;
    for (const char *controller : {"memory", "pids"}) {
        const fs::path parent = fs::path("/sys/fs/cgroup") / controller / fs::path(ownGroup(controller)).relative_path();
        if (ownGroup(controller).empty() || access((parent / "cgroup.procs").c_str(), W_OK) != 0)
            return {};
        parents.push_back(parent);
    }
    return parents;
}

// Groups left by a checker that was killed before it could remove them (named after its pid,
// which is gone): their processes are killed and the groups removed, once per checker.
void sweep(const fs::path &parent) {
    std::error_code ec;
    for (const auto &entry : fs::directory_iterator(parent, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("comprobar-", 0) != 0)
            continue;
        const pid_t owner = static_cast<pid_t>(strtol(name.c_str() + 10, nullptr, 10));
        if (owner <= 0 || kill(owner, 0) == 0 || errno != ESRCH)
            continue;
        const std::string pids = readSmall(entry.path() / "cgroup.procs");
        const char *at = pids.c_str();
        char *end = nullptr;
        for (long pid = strtol(at, &end, 10); end != at; pid = strtol(at, &end, 10)) {
            if (pid > 0)
                kill(static_cast<pid_t>(pid), SIGKILL);
            at = end;
        }
        rmdir(entry.path().c_str());
    }
}

std::string groupName() {
    static int made = 0;
    return "comprobar-" + std::to_string(getpid()) + "-" + std::to_string(++made);
}

}  // namespace

Bounding bounding() {
    static const Bounding decided = [] {
        if (!unifiedParent().empty())
            return Bounding::CgroupV2;
        // Writable is not enough: a probe group must take its limits.
        const std::vector<fs::path> parents = legacyParents();
        if (parents.empty())
            return Bounding::PerProcess;
        bool works = true;
        const std::string probe = groupName();
        for (const fs::path &parent : parents) {
            works = works && mkdir((parent / probe).c_str(), 0755) == 0;
            rmdir((parent / probe).c_str());
        }
        return works ? Bounding::CgroupV1 : Bounding::PerProcess;
    }();
    return decided;
}

bool RunGroup::make(const Limits &limits, int overhead) {
    const Bounding how = bounding();
    if (how == Bounding::PerProcess)
        return false;
    const std::string name = groupName();
    const std::vector<fs::path> parents = how == Bounding::CgroupV2 ? std::vector<fs::path>{unifiedParent()}
                                                                  : legacyParents();
    static bool swept = false;
    for (const fs::path &parent : parents)
        if (!swept && !parent.empty())
            sweep(parent);
    swept = true;
    for (const fs::path &parent : parents) {
        if (parent.empty() || mkdir((parent / name).c_str(), 0755) != 0)
            break;
        folders.push_back(parent / name);
    }
    const std::string memory = limits.memoryMiB > 0 ? std::to_string(limits.memoryMiB << 20) : "max";
    const std::string processes = limits.processes > 0 ? std::to_string(limits.processes + overhead) : "max";
    bool set = folders.size() == parents.size();
    if (set && how == Bounding::CgroupV2) {
        set = writeSmall(folders[0] / "memory.max", memory) && writeSmall(folders[0] / "pids.max", processes);
        writeSmall(folders[0] / "memory.swap.max", "0");  // there may be no swap at all
    } else if (set) {
        const std::string bytes = limits.memoryMiB > 0 ? memory : "-1";
        set = writeSmall(folders[0] / "memory.limit_in_bytes", bytes) &&
              writeSmall(folders[1] / "pids.max", processes);
        // With swap accounting, swap is no way around the limit either.
        writeSmall(folders[0] / "memory.memsw.limit_in_bytes", bytes);
    }
    for (const fs::path &folder : folders) {
        const int fd = open((folder / "cgroup.procs").c_str(), O_WRONLY | O_CLOEXEC);
        set = set && fd >= 0;
        if (fd >= 0)
            joins.push_back(fd);
    }
    if (!set)
        release();
    return set;
}

bool RunGroup::enter() const {
    char text[24];
    size_t length = 0;
    for (pid_t pid = getpid(); pid > 0; pid /= 10)
        text[length++] = static_cast<char>('0' + pid % 10);
    std::reverse(text, text + length);
    for (const int fd : joins)
        if (write(fd, text, length) != static_cast<ssize_t>(length))
            return false;
    return true;
}

void RunGroup::killAll() const {
    if (folders.empty())
        return;
    // Version 2 kills the whole group at once (Linux 5.14); otherwise one by one, again and
    // again, while a fork bomb still makes new ones (its group bounds how many).
    writeSmall(folders[0] / "cgroup.kill", "1");
    for (int round = 0; round < 2000; ++round) {
        bool any = false;
        for (const fs::path &folder : folders) {
            const std::string pids = readSmall(folder / "cgroup.procs");
            const char *at = pids.c_str();
            char *end = nullptr;
            for (long pid = strtol(at, &end, 10); end != at; pid = strtol(at, &end, 10)) {
                if (pid > 0)
                    kill(static_cast<pid_t>(pid), SIGKILL);
                any = true;
                at = end;
            }
        }
        if (!any)
            return;
        usleep(1000);
    }
}

long RunGroup::peakBytes() const {
    if (folders.empty())
        return -1;
    return number(folders[0] / (bounding() == Bounding::CgroupV2 ? "memory.peak" : "memory.max_usage_in_bytes"));
}

bool RunGroup::memoryExhausted() const {
    if (folders.empty())
        return false;
    return bounding() == Bounding::CgroupV2 ? keyed(folders[0] / "memory.events", "oom_kill") > 0
                                            : keyed(folders[0] / "memory.oom_control", "oom_kill") > 0;
}

bool RunGroup::processesExhausted() const {
    return !folders.empty() && keyed(folders.back() / "pids.events", "max") > 0;
}

void RunGroup::release() {
    for (const int fd : joins)
        close(fd);
    killAll();
    // A group goes once its last process has been reaped: wait a little for that.
    for (const fs::path &folder : folders)
        for (int tries = 0; rmdir(folder.c_str()) != 0 && errno == EBUSY && tries < 1000; ++tries)
            usleep(1000);
    joins.clear();
    folders.clear();
}

RunGroup::~RunGroup() {
    release();
}

void applyLimits(const Limits &limits, bool addressSpace, long processesBefore) {
    auto set = [](int resource, rlim_t value) {
        struct rlimit limit = {value, value};
        setrlimit(resource, &limit);
    };
    if (limits.cpuSeconds > 0) {
        // The soft limit sends SIGXCPU, which the runner reports as time spent computing.
        struct rlimit cpu = {static_cast<rlim_t>(limits.cpuSeconds), static_cast<rlim_t>(limits.cpuSeconds) + 1};
        setrlimit(RLIMIT_CPU, &cpu);
    }
    if (addressSpace && limits.memoryMiB > 0)
        set(RLIMIT_AS, static_cast<rlim_t>(limits.memoryMiB) << 20);
    if (limits.fileBytes > 0)
        set(RLIMIT_FSIZE, static_cast<rlim_t>(limits.fileBytes));
    if (limits.processes > 0 && processesBefore >= 0)
        set(RLIMIT_NPROC, static_cast<rlim_t>(processesBefore + limits.processes));
    set(RLIMIT_CORE, 0);
}

long processesOf(uid_t user) {
    long count = 0;
    std::error_code ec;
    struct stat owner;
    for (const auto &entry : fs::directory_iterator("/proc", ec))
        if (isdigit(static_cast<unsigned char>(entry.path().filename().string()[0])) &&
            stat(entry.path().c_str(), &owner) == 0 && owner.st_uid == user)
            ++count;
    return ec ? -1 : count;
}

long folderBytes(const fs::path &folder, long stopAt) {
    long total = 0;
    std::error_code ec;
    struct stat entry;
    for (auto at = fs::recursive_directory_iterator(folder, fs::directory_options::skip_permission_denied, ec);
         !ec && at != fs::recursive_directory_iterator() && total <= stopAt; at.increment(ec))
        if (lstat(at->path().c_str(), &entry) == 0)
            total += std::max(static_cast<long>(entry.st_blocks) * 512, 4096L);
    return total;
}
