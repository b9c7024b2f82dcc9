// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/filecopy.h"

#include "platform/filenames.h"
#include "platform/filesystem.h"

#include <cerrno>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Small enough that the progress moves several times a second even on a slow disc.
constexpr qint64 kChunk = 2 << 20;

// A file descriptor closed on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    // Closes now, so a failure to write out the last bytes is seen.
    bool close()
    {
        const int fd = std::exchange(m_fd, -1);
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

// One chunk by read and write, for file systems copy_file_range does not span.
ssize_t copyChunkByHand(int in, int out, qint64 length, std::vector<char>& buffer)
{
    buffer.resize(std::size_t(std::min<qint64>(length, 1 << 20)));
    const ssize_t got = ::read(in, buffer.data(), buffer.size());
    if (got <= 0)
        return got;
    ssize_t written = 0;
    while (written < got) {
        const ssize_t now = ::write(out, buffer.data() + written, std::size_t(got - written));
        if (now < 0)
            return -1;
        written += now;
    }
    return got;
}

// The file system does not do what was asked, rather than failing at it.
bool refused(int error)
{
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

bool copyOpenFile(int in, Descriptor& out, const std::atomic<bool>& cancel,
                  const std::function<void(qint64)>& copied, QString& error)
{
    bool kernelCopy = true;
    std::vector<char> buffer;
    qint64 total = 0;
    for (;;) {
        if (cancel) {
            error = QStringLiteral("cancelado");
            return false;
        }
        ssize_t done = -1;
        if (kernelCopy) {
            done = ::copy_file_range(in, nullptr, out.get(), nullptr, kChunk, 0);
            if (done < 0 && (errno == EXDEV || refused(errno))) {
                kernelCopy = false;
                continue;
            }
        } else {
            done = copyChunkByHand(in, out.get(), kChunk, buffer);
        }
        if (done < 0) {
            error = fileErrorReason(errno);
            return false;
        }
        if (done == 0)
            break;
        total += done;
        copied(total);
    }
    // On the disk before it can take its final name: a power cut must not leave an empty
    // file under a name that says the copy is done.
    if (::fdatasync(out.get()) != 0 || !out.close()) {
        error = fileErrorReason(errno);
        return false;
    }
    return true;
}

} // namespace

bool copyFileContents(const QString& source, const QString& target, const std::atomic<bool>& cancel,
                      const std::function<void(qint64)>& copied, QString& error)
{
    Descriptor in(::open(fileNameBytes(source).constData(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0) {
        error = fileErrorReason(errno);
        return false;
    }
    Descriptor out(
        ::open(fileNameBytes(target).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (out.get() < 0) {
        error = fileErrorReason(errno);
        return false;
    }
    if (!copyOpenFile(in.get(), out, cancel, copied, error)) {
        ::unlink(fileNameBytes(target).constData());
        return false;
    }
    return true;
}

bool renameInto(const QString& temporary, const QString& target, bool replace, QString& error)
{
    const QByteArray from = fileNameBytes(temporary);
    const QByteArray to = fileNameBytes(target);
    if (replace) {
        if (::rename(from.constData(), to.constData()) == 0)
            return true;
        error = fileErrorReason(errno);
        return false;
    }
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (!refused(errno)) {
        error = fileErrorReason(errno);
        return false;
    }
    // NFS, CephFS, FUSE (an NTFS disk, sshfs) and older ZFS refuse the flag. A new link fails
    // when the name is taken, just as the flag would.
    if (::link(from.constData(), to.constData()) == 0) {
        ::unlink(from.constData());
        return true;
    }
    if (!refused(errno) && errno != EPERM) {
        error = fileErrorReason(errno);
        return false;
    }
    // No links either (FAT, some FUSE file systems): the final name is made new, so it cannot
    // be one that was there, and the finished copy is written into it.
    static const std::atomic<bool> never{false};
    if (!copyFileContents(
            temporary, target, never, [](qint64) {}, error))
        return false;
    ::unlink(from.constData());
    return true;
}

bool syncFolder(const QString& folder)
{
    Descriptor dir(::open(fileNameBytes(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return dir.get() >= 0 && ::fsync(dir.get()) == 0;
}
