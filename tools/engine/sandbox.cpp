// The box of a run: bubblewrap's words, the box's user, and the helper that starts the program.
#include "sandbox.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "case.h"

const char *const execAsOption = "--exec-as";

namespace {

// The system's folders the box shows, read-only, as they are here.
const char *const systemFolders[] = {"/usr", "/bin", "/sbin", "/lib", "/lib32", "/lib64", "/libx32", "/etc", "/opt"};

// A setuid bubblewrap makes its namespaces itself, and sets no new privileges after: the run may
// not forbid them before it starts.
bool bwrapIsSetuid() {
    static const bool setuid = [] {
        struct stat status;
        return stat(onPath("bwrap").c_str(), &status) == 0 && (status.st_mode & S_ISUID) != 0;
    }();
    return setuid;
}

}  // namespace

std::string onPath(const std::string &command) {
    if (command.find('/') != std::string::npos)
        return command;
    const char *path = getenv("PATH");
    for (const std::string &folder : splitLines(std::string(path != nullptr ? path : "") + "\n")) {
        size_t start = 0;
        while (start <= folder.size()) {
            size_t end = folder.find(':', start);
            if (end == std::string::npos)
                end = folder.size();
            const std::string candidate = folder.substr(start, end - start) + "/" + command;
            if (end > start && access(candidate.c_str(), X_OK) == 0)
                return candidate;
            start = end + 1;
        }
    }
    return {};
}

const BoxUser &boxUser() {
    static const BoxUser user = [] {
        BoxUser decided;
        if (geteuid() != 0)
            return decided;
        decided.drop = true;
        decided.uid = decided.gid = 65534;
        if (const struct passwd *nobody = getpwnam("nobody"); nobody != nullptr && nobody->pw_uid != 0) {
            decided.uid = nobody->pw_uid;
            decided.gid = nobody->pw_gid;
        }
        return decided;
    }();
    return user;
}

bool handOver(const fs::path &scratch, const fs::path &work, std::string &why) {
    const BoxUser &user = boxUser();
    if (!user.drop)
        return true;
    bool ok = chmod(scratch.c_str(), 0711) == 0 && lchown(work.c_str(), user.uid, user.gid) == 0;
    std::error_code ec;
    for (auto entry = fs::recursive_directory_iterator(work, ec); ok && !ec && entry != fs::recursive_directory_iterator();
         entry.increment(ec))
        ok = lchown(entry->path().c_str(), user.uid, user.gid) == 0;
    if (!ok || ec)
        why = "cannot give the working folder to the box's user: " + std::string(ec ? ec.message() : strerror(errno));
    return ok && !ec;
}

bool dropPrivileges(bool intoSandbox) {
    const BoxUser &user = boxUser();
    if (user.drop && (setgroups(0, nullptr) != 0 || setgid(user.gid) != 0 || setuid(user.uid) != 0 ||
                      setuid(0) == 0))
        return false;
#ifdef __linux__
    if ((!intoSandbox || !bwrapIsSetuid()) && prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0)
        return false;
#else
    (void)intoSandbox;
#endif
    return true;
}

bool sandboxAvailable() {
    static const bool available = [] {
        const std::string bwrap = onPath("bwrap");
        if (bwrap.empty())
            return false;
        // Namespaces may be forbidden here (a container), or to the box's user: try once, as it.
        fflush(nullptr);
        const pid_t child = fork();
        if (child == 0) {
            const int null = open("/dev/null", O_RDWR);
            if (null < 0 || dup2(null, 1) < 0 || dup2(null, 2) < 0 || !dropPrivileges(true))
                _exit(1);
            std::vector<std::string> words = sandboxWords("/", {}, 1 << 20);
            words.push_back("/bin/true");
            std::vector<char *> argv;
            for (std::string &word : words)
                argv.push_back(word.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(1);
        }
        int status = 0;
        return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }();
    return available;
}

std::string closedToBoxUser(const fs::path &path) {
    std::error_code ec;
    fs::path folder;
    for (const fs::path &part : fs::absolute(path, ec)) {
        folder /= part;
        struct stat status;
        if (stat(folder.c_str(), &status) != 0)
            return {};
        const bool passes = (status.st_mode & S_IXOTH) != 0 ||
                            (status.st_uid == boxUser().uid && (status.st_mode & S_IXUSR) != 0) ||
                            (status.st_gid == boxUser().gid && (status.st_mode & S_IXGRP) != 0);
        if (!passes)
            return folder.string();
    }
    return {};
}

bool inSystemFolder(const fs::path &path) {
    const std::string text = path.lexically_normal().string();
    for (const char *folder : systemFolders)
        if (text.rfind(std::string(folder) + "/", 0) == 0)
            return true;
    return false;
}

std::vector<std::string> sandboxWords(const fs::path &work, const std::vector<BoxFile> &files, long tmpBytes) {
    // Every namespace its own; no user namespace inside, so no capability even there.
    std::vector<std::string> words = {onPath("bwrap"), "--unshare-all", "--unshare-user", "--disable-userns",
                                      "--cap-drop", "ALL", "--die-with-parent", "--new-session"};
    for (const char *system : systemFolders) {
        std::error_code ec;
        const auto status = fs::symlink_status(system, ec);
        if (ec || !fs::exists(status))
            continue;
        if (fs::is_symlink(status))
            words.insert(words.end(), {"--symlink", fs::read_symlink(system, ec).string(), system});
        else
            words.insert(words.end(), {"--ro-bind", system, system});
    }
    words.insert(words.end(), {"--proc", "/proc", "--dev", "/dev"});
    if (tmpBytes > 0)
        words.insert(words.end(), {"--size", std::to_string(tmpBytes)});
    words.insert(words.end(), {"--tmpfs", "/tmp"});
    if (work != "/")
        words.insert(words.end(), {"--bind", work.string(), work.string()});
    int descriptor = firstBoxDescriptor;
    for (const BoxFile &file : files) {
        if (file.byPath)
            words.insert(words.end(), {"--ro-bind", file.from.string(), file.at});
        else
            words.insert(words.end(), {"--perms", "0555", "--ro-bind-data", std::to_string(descriptor++), file.at});
    }
    words.insert(words.end(), {"--chdir", work.string(), "--"});
    return words;
}

// The box's own first process turns a signal that ended the program into an exit status
// (128 + the signal): the helper, inside the box, starts the program itself and sends the true
// way it ended, or exec's errno, back on descriptor 4, which the program never gets. The program
// cannot trace the helper (it is no longer dumpable) to send something else.
int execAs(char **argv) {
    if (argv[3] == nullptr || argv[4] == nullptr)
        return 127;
#ifdef __linux__
    prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
#endif
    const rlim_t bytes = strtoull(argv[2], nullptr, 10);
    auto start = [&] {
        if (bytes > 0) {
            const struct rlimit limit = {bytes, bytes};
            setrlimit(RLIMIT_AS, &limit);
        }
        execv(argv[3], argv + 4);
    };
    if (fcntl(statusDescriptor, F_SETFD, FD_CLOEXEC) != 0) {
        start();
        return 127;
    }
    const pid_t child = fork();
    if (child == 0) {
        start();
        const int report[2] = {1, errno};
        if (write(statusDescriptor, report, sizeof report) < 0) {
            // the runner then sees status 127 alone
        }
        _exit(127);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        return 126;
    const int report[2] = {0, status};
    if (write(statusDescriptor, report, sizeof report) < 0) {
        // the runner then reads the sandbox's own status
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
