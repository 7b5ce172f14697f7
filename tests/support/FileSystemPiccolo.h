#pragma once
// A real, small file system for tests of full disks: a tmpfs mounted in a
// child process's own mount namespace, so nothing outside the child sees it
// and it vanishes with the child. Root mounts it directly; other users need
// user namespaces. Without either, inFileLimitati gives writes that fail the
// same way through a file size limit.
//
//   const int r = inFileSystemPiccolo(64 * 1024, [](const QString &folder) {
//       ...write into folder until it is full...
//       return 0;          // the child's exit status: 0 means the checks held
//   });
//   if (r == kNessunFileSystem) GTEST_SKIP() << "no tmpfs";
//   EXPECT_EQ(r, 0);

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace filesystem_test {

constexpr int kNessunFileSystem = 77;

namespace detail {

inline bool writeWhole(const char *path, const QByteArray &text)
{
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, text.constData(), size_t(text.size())) == text.size();
    ::close(fd);
    return ok;
}

// Our own mount namespace, and the right to mount in it.
inline bool ownMountNamespace()
{
    if (::geteuid() == 0)
        return ::unshare(CLONE_NEWNS) == 0;
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return false;
    writeWhole("/proc/self/setgroups", "deny");
    return writeWhole("/proc/self/uid_map", "0 " + QByteArray::number(uid) + " 1")
        && writeWhole("/proc/self/gid_map", "0 " + QByteArray::number(gid) + " 1");
}

} // namespace detail

// Runs body(folder) in a child process where folder is an empty tmpfs of
// about `bytes` bytes (whole pages). Returns body's result, or
// kNessunFileSystem when no such file system could be made.
inline int inFileSystemPiccolo(qint64 bytes, const std::function<int(const QString &folder)> &body)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        return kNessunFileSystem;
    const QByteArray where = QFile::encodeName(dir.path());
    const QByteArray options = "size=" + QByteArray::number((bytes + 1023) / 1024) + "k,mode=0777";
    const pid_t child = ::fork();
    if (child < 0)
        return kNessunFileSystem;
    if (child == 0) {
        if (!detail::ownMountNamespace()
            || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || ::mount("tmpfs", where.constData(), "tmpfs", 0, options.constData()) != 0)
            ::_exit(kNessunFileSystem);
        ::_exit(body(dir.path()));
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// The same writes failing without a mount, for any user: body(folder) runs
// in a child process whose files cannot grow beyond `bytes` (a file size
// limit; the kernel refuses the write as a full disk would). Returns body's
// result, or kNessunFileSystem when the limit cannot be set.
inline int inFileLimitati(qint64 bytes, const std::function<int(const QString &folder)> &body)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        return kNessunFileSystem;
    const pid_t child = ::fork();
    if (child < 0)
        return kNessunFileSystem;
    if (child == 0) {
        struct rlimit limit {};
        ::signal(SIGXFSZ, SIG_IGN);
        if (::getrlimit(RLIMIT_FSIZE, &limit) != 0)
            ::_exit(kNessunFileSystem);
        limit.rlim_cur = rlim_t(bytes);
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            ::_exit(kNessunFileSystem);
        ::_exit(body(dir.path()));
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Fills the file system holding `folder` until `leave` bytes are free
// (rounded to whole pages by tmpfs). The filler file stays in the folder.
inline bool riempi(const QString &folder, qint64 leave)
{
    const QByteArray path = QFile::encodeName(folder + QStringLiteral("/riempitivo"));
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const QByteArray block(4096, 'x');
    qint64 size = 0;
    for (;;) {
        const ssize_t n = ::write(fd, block.constData(), size_t(block.size()));
        if (n <= 0)
            break;
        size += n;
    }
    const bool ok = errno == ENOSPC && ::ftruncate(fd, size > leave ? size - leave : 0) == 0;
    ::close(fd);
    return ok;
}

} // namespace filesystem_test
