#include "platform/filecopy.h"

#include <QFile>
#include <cerrno>
#include <cstring>
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

QString reason(int error)
{
    switch (error) {
    case ENOSPC:
        return QStringLiteral("no queda espacio en el destino");
    case EACCES:
    case EPERM:
    case EROFS:
        return QStringLiteral("no hay permiso para escribir");
    case ENOENT:
        return QStringLiteral("no existe");
    case EEXIST:
        return QStringLiteral("ya existe");
    case EIO:
        return QStringLiteral("error de lectura del disco");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

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

} // namespace

bool copyFileContents(const QString& source, const QString& target,
                      const std::atomic<bool>& cancel, const std::function<void(qint64)>& copied,
                      QString& error)
{
    Descriptor in(::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0) {
        error = reason(errno);
        return false;
    }
    Descriptor out(::open(QFile::encodeName(target).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (out.get() < 0) {
        error = reason(errno);
        return false;
    }
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
            done = ::copy_file_range(in.get(), nullptr, out.get(), nullptr, kChunk, 0);
            if (done < 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL ||
                             errno == EOPNOTSUPP)) {
                kernelCopy = false;
                continue;
            }
        } else {
            done = copyChunkByHand(in.get(), out.get(), kChunk, buffer);
        }
        if (done < 0) {
            error = reason(errno);
            return false;
        }
        if (done == 0)
            break;
        total += done;
        copied(total);
    }
    if (!out.close()) {
        error = reason(errno);
        return false;
    }
    return true;
}

bool renameInto(const QString& temporary, const QString& target, bool replace, QString& error)
{
    const QByteArray from = QFile::encodeName(temporary);
    const QByteArray to = QFile::encodeName(target);
    const int result = replace ? ::rename(from.constData(), to.constData())
                               : ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(),
                                             RENAME_NOREPLACE);
    if (result == 0)
        return true;
    error = reason(errno);
    return false;
}
