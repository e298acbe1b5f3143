// The box a run of unread code happens in, compile or program alike: bubblewrap with every
// namespace of its own (no network, no other process in sight), the system's folders read-only,
// a sized private /tmp, the working folder the only one writable, and the few files the run
// needs copied in read-only. Whatever runs in it is an unprivileged user with no capabilities
// and no way to gain any: when the checker runs as root, the run becomes `nobody` first.
#ifndef ENGINE_SANDBOX_H
#define ENGINE_SANDBOX_H

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

// Whether bubblewrap can make a box here (it is installed, and namespaces work for the box's
// user): decided once, by a probe.
bool sandboxAvailable();

// Who a run is: the checker's own user, or nobody when the checker is root.
struct BoxUser {
    bool drop = false;  // the checker is root: the run becomes uid and gid below
    uid_t uid = 0;
    gid_t gid = 0;
};
const BoxUser &boxUser();

// The first folder on the way to path that the box's user cannot pass through, or empty: bubblewrap,
// started as that user, reaches the working folder by its path.
std::string closedToBoxUser(const fs::path &path);

// Makes a run's scratch folder usable by the box's user: it may pass through the scratch
// folder and owns everything in its working folder. Nothing to do unless the checker is root.
bool handOver(const fs::path &scratch, const fs::path &work, std::string &why);

// In the child, just before exec: becomes the box's user, for good (no setuid program can
// give back what is dropped here). Only async-signal-safe calls. False when it could not.
bool dropPrivileges(bool intoSandbox);

// A file shown in the box, read-only, at a path of its own: the program, the front end that
// starts it, utiles for the compiler. Copied in from a descriptor (firstBoxDescriptor + its
// index among those so copied), or, byPath, bound from a path the box's user can reach: so the
// program stays a file of its own (valgrind reads its lines from it, not from a deleted copy).
struct BoxFile {
    fs::path from;
    std::string at;
    bool byPath = false;
};
constexpr int firstBoxDescriptor = 100;

// The words that start a command in the box: bwrap and its options, then the command.
std::vector<std::string> sandboxWords(const fs::path &work, const std::vector<BoxFile> &files, long tmpBytes);

// Finds a command on the runner's own PATH.
std::string onPath(const std::string &command);

// Whether a path is in one of the system's folders the box shows read-only (a compiler).
bool inSystemFolder(const fs::path &path);

// In the box a program is started by the front end itself, so that it gets the name the case
// gives it: every front end's main begins with
//     if (argc >= 4 && strcmp(argv[1], execAsOption) == 0) return execAs(argv);
// ("--exec-as BYTES PROGRAM NAME ARGUMENTS...": runs PROGRAM with NAME as its argv[0], limited
// to BYTES of address space, 0 for no limit). It tells how the program ended on descriptor 4,
// and no process of the box can trace it or change what it tells.
extern const char *const execAsOption;
constexpr int statusDescriptor = 4;
int execAs(char **argv);

#endif
