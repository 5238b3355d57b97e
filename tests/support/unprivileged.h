#pragma once
// Permission cases run as root mean nothing (root writes into any folder), and CI
// runs the tests as root: such a case runs as an ordinary user in a child process.
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <optional>

namespace sw::test {

inline bool runningAsRoot() { return ::geteuid() == 0; }

// The user a root test hands its files to and runs as ("nobody" on Debian).
inline constexpr uid_t ordinaryUser = 65534;

// Gives `path` to ordinaryUser when running as root; otherwise it is the tester's already.
inline void giveToOrdinaryUser(const std::filesystem::path& path) {
    if (runningAsRoot() && ::lchown(path.c_str(), ordinaryUser, ordinaryUser) != 0)
        throw std::filesystem::filesystem_error("lchown", path, std::error_code(errno, std::generic_category()));
}

// Runs `body` (returning 0 to 124) as ordinaryUser in a child process when running as
// root, else right here. Its result; -1 when the child died; nothing when root could
// not drop its privileges (a container without the capability to change user).
template <class Body>
std::optional<int> runAsOrdinaryUser(Body body) {
    if (!runningAsRoot()) return body();
    constexpr int cannotDrop = 125;
    const pid_t child = ::fork();
    if (child < 0) return std::nullopt;
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(ordinaryUser) != 0 || ::setuid(ordinaryUser) != 0)
            ::_exit(cannotDrop);
        ::_exit(body());
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    if (WEXITSTATUS(status) == cannotDrop) return std::nullopt;
    return WEXITSTATUS(status);
}

}  // namespace sw::test
