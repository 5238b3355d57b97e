#include "sim/posix_files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "diagnostics/failure.h"
#include "text.h"

namespace sw::sim {

Failure fileFailure(int error, const std::filesystem::path& file) {
    std::int32_t number = 75;  // path/file access error
    switch (error) {
        case ENOENT: number = 53; break;
        case EACCES:
        case EPERM:
        case EROFS: number = 70; break;
        case ENOSPC:
        case EDQUOT: number = 61; break;
        default: break;
    }
    return Failure(number, fromUtf8(std::strerror(error)) + u": " + fromUtf8(file.string()));
}

void PosixFiles::requireFile(const std::filesystem::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) throw fileFailure(errno, file);
    if (!S_ISREG(st.st_mode)) throw fileFailure(ENOENT, file);
}

void PosixFiles::setAttributes(const std::filesystem::path& file, int attributes) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) throw fileFailure(errno, file);
    mode_t mode = st.st_mode & 07777;
    if (attributes & 1)
        mode &= static_cast<mode_t>(~(S_IWUSR | S_IWGRP | S_IWOTH));
    else
        mode |= S_IWUSR;
    // A mode that is already right is left alone: only the owner may change it, and
    // another user who may write the file may be saving it.
    if (mode != (st.st_mode & 07777) && ::chmod(file.c_str(), mode) != 0) throw fileFailure(errno, file);
}

void PosixFiles::appendLine(const std::filesystem::path& file, const std::u16string& line) {
    const std::string bytes = toUtf8(line) + "\r\n";
    const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) throw fileFailure(errno, file);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int e = errno;
            ::close(fd);
            throw fileFailure(e, file);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0) throw fileFailure(errno, file);
}

namespace {

// The file a path names once symbolic links are followed: a save replaces it and
// keeps the link.
std::filesystem::path linkTarget(const std::filesystem::path& file) {
    std::error_code error;
    std::filesystem::path target = std::filesystem::canonical(file, error);
    if (error) throw fileFailure(error.value(), file);
    return target;
}

}  // namespace

std::optional<std::filesystem::path> PosixFiles::createReplacement(const std::filesystem::path& file) {
    const std::filesystem::path target = linkTarget(file);
    // Created with O_EXCL under a fresh name and readable by its owner only until
    // replaceFile gives it the file's own permissions.
    std::string name = target.string() + ".saving-XXXXXX";
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return std::filesystem::path(name);
    }
    // A folder that refuses new files may hold a file this user may write: the
    // caller then writes it in place.
    const int error = errno;
    if (error != EACCES && error != EPERM) throw fileFailure(error, target.parent_path());
    const int writable = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (writable < 0) throw fileFailure(errno, file);
    ::close(writable);
    return std::nullopt;
}

void PosixFiles::replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    const std::filesystem::path target = linkTarget(to);
    struct stat old {};
    if (::stat(target.c_str(), &old) != 0) throw fileFailure(errno, to);
    const int fd = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw fileFailure(errno, from);
    // Owner and group first (only root may give a file away; a user may pick a group
    // of their own), then the permissions, which a change of owner may have cut.
    mode_t mode = old.st_mode & 07777;
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0)
        mode &= static_cast<mode_t>(~S_IRWXG);  // granted to a group the new file is not in
    const bool done = ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    if (!done) throw fileFailure(error, from);
    if (::rename(from.c_str(), target.c_str()) != 0) throw fileFailure(errno, to);
    // The rename itself reaches the disk with the folder's entry.
    const int dir = ::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

void PosixFiles::removeFile(const std::filesystem::path& file) noexcept { ::unlink(file.c_str()); }

}  // namespace sw::sim
