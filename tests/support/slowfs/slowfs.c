/* SPDX-License-Identifier: GPL-3.0-or-later */
/*
 * slowfs: a read-only FUSE mirror of a directory that answers slowly, or not
 * at all, so tests can imitate a sleeping or dead network share (NAS).
 *
 *   slowfs [--delay-ms=N] [--hang=RELPATH] SOURCE MOUNTPOINT [-f ...]
 *
 * Every call the kernel makes waits N ms first. Calls inside RELPATH, and
 * listings of RELPATH itself, block until the process gets SIGUSR1; a stat of
 * RELPATH still answers, so its parent lists normally. Each blocked call holds
 * one worker thread (libfuse starts at most 10 unless -o max_threads=N).
 * Unmount with `fusermount3 -u MOUNTPOINT`.
 */
#define _DEFAULT_SOURCE
#define FUSE_USE_VERSION 31

#include <fuse.h>
#include <fuse_lowlevel.h>

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <signal.h>
#include <stdbool.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/statvfs.h>
#include <time.h>
#include <unistd.h>

static char source_root[PATH_MAX];
static char hang_path[PATH_MAX]; /* "/RELPATH" as FUSE spells it; "" for none */
static long delay_ms;
static bool released;
static pthread_mutex_t release_lock = PTHREAD_MUTEX_INITIALIZER;

static bool is_hung(const char *path, bool listing)
{
    size_t len = strlen(hang_path);
    if (len == 0 || strncmp(path, hang_path, len) != 0)
        return false;
    return path[len] == '/' || (path[len] == '\0' && listing);
}

static long long now_ms(void)
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000LL + now.tv_nsec / 1000000;
}

/* Waits the delay, and for a hung path until released, checking every 10 ms
 * whether the caller was killed or the mount went away: the kernel cannot end
 * a caller, even with SIGKILL, while we hold its call (a share's own client
 * can), and libfuse waits for every call before the process exits. */
static int wait_before_answer(const char *path, bool listing)
{
    const long long due = now_ms() + delay_ms;
    const bool hung = is_hung(path, listing);
    struct fuse_session *session = fuse_get_session(fuse_get_context()->fuse);
    for (;;) {
        if (fuse_interrupted() || fuse_session_exited(session))
            return -EINTR;
        pthread_mutex_lock(&release_lock);
        const bool waiting = now_ms() < due || (hung && !released);
        pthread_mutex_unlock(&release_lock);
        if (!waiting)
            return 0;
        const struct timespec slice = { 0, 10000000L };
        nanosleep(&slice, NULL);
    }
}

/* FUSE hands over absolute paths without "." or ".." parts, so the joined
 * path cannot leave the source tree. */
static int to_source(const char *path, char real[PATH_MAX])
{
    int len = snprintf(real, PATH_MAX, "%s%s", source_root, path);
    return len < PATH_MAX ? 0 : -ENAMETOOLONG;
}

static int arrive(const char *path, bool listing, char real[PATH_MAX])
{
    int err = wait_before_answer(path, listing);
    return err ? err : to_source(path, real);
}

static int slow_getattr(const char *path, struct stat *st, struct fuse_file_info *fi)
{
    (void)fi;
    char real[PATH_MAX];
    int err = arrive(path, false, real);
    return err ? err : lstat(real, st) == 0 ? 0 : -errno;
}

static int slow_readlink(const char *path, char *buf, size_t size)
{
    char real[PATH_MAX];
    int err = arrive(path, false, real);
    if (err)
        return err;
    ssize_t len = readlink(real, buf, size - 1);
    if (len < 0)
        return -errno;
    buf[len] = '\0';
    return 0;
}

static int slow_open(const char *path, struct fuse_file_info *fi)
{
    char real[PATH_MAX];
    int err = arrive(path, false, real);
    if (err)
        return err;
    if ((fi->flags & O_ACCMODE) != O_RDONLY)
        return -EROFS;
    int fd = open(real, O_RDONLY);
    if (fd < 0)
        return -errno;
    fi->fh = (uint64_t)fd;
    return 0;
}

static int slow_read(const char *path, char *buf, size_t size, off_t offset,
                     struct fuse_file_info *fi)
{
    int err = wait_before_answer(path, false);
    if (err)
        return err;
    ssize_t len = pread((int)fi->fh, buf, size, offset);
    return len < 0 ? -errno : (int)len;
}

static int slow_release(const char *path, struct fuse_file_info *fi)
{
    (void)path;
    close((int)fi->fh);
    return 0;
}

/* Entries carry their file type so callers learn it without a stat each;
 * offset 0 lets libfuse take the whole folder from this one call. */
static int slow_readdir(const char *path, void *buf, fuse_fill_dir_t fill, off_t offset,
                        struct fuse_file_info *fi, enum fuse_readdir_flags flags)
{
    (void)offset, (void)fi, (void)flags;
    char real[PATH_MAX];
    int err = arrive(path, true, real);
    if (err)
        return err;
    DIR *dir = opendir(real);
    if (!dir)
        return -errno;
    struct dirent *entry;
    while ((entry = readdir(dir)) != NULL) {
        struct stat st = { .st_ino = entry->d_ino, .st_mode = DTTOIF(entry->d_type) };
        if (entry->d_type == DT_UNKNOWN)
            fstatat(dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW);
        if (fill(buf, entry->d_name, &st, 0, 0))
            break;
    }
    closedir(dir);
    return 0;
}

static int slow_statfs(const char *path, struct statvfs *st)
{
    char real[PATH_MAX];
    int err = to_source(path, real);
    return err ? err : statvfs(real, st) == 0 ? 0 : -errno;
}

static sigset_t only_sigusr1(void)
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGUSR1);
    return set;
}

static void *release_on_sigusr1(void *unused)
{
    (void)unused;
    sigset_t usr1 = only_sigusr1();
    int signal_number;
    sigwait(&usr1, &signal_number);
    pthread_mutex_lock(&release_lock);
    released = true;
    pthread_mutex_unlock(&release_lock);
    return NULL;
}

static void *slow_init(struct fuse_conn_info *conn, struct fuse_config *cfg)
{
    (void)conn;
    /* Long caching keeps the delay for calls the kernel really makes. */
    cfg->entry_timeout = cfg->attr_timeout = 3600;
    cfg->kernel_cache = 1;
    cfg->use_ino = 1;
    /* Started here rather than in main: fuse_main may fork into the background. */
    pthread_t releaser;
    if (pthread_create(&releaser, NULL, release_on_sigusr1, NULL) == 0)
        pthread_detach(releaser);
    else
        fprintf(stderr, "slowfs: SIGUSR1 will not release hung calls\n");
    return NULL;
}

static const struct fuse_operations slow_operations = {
    .init = slow_init,
    .getattr = slow_getattr,
    .readlink = slow_readlink,
    .open = slow_open,
    .read = slow_read,
    .release = slow_release,
    .readdir = slow_readdir,
    .statfs = slow_statfs,
};

static const char *option_value(const char *arg, const char *prefix)
{
    size_t len = strlen(prefix);
    return strncmp(arg, prefix, len) == 0 ? arg + len : NULL;
}

static bool set_hang_path(const char *relpath)
{
    relpath += strspn(relpath, "/");
    int len = (int)strlen(relpath);
    while (len > 0 && relpath[len - 1] == '/')
        len--;
    return len > 0 && snprintf(hang_path, PATH_MAX, "/%.*s", len, relpath) < PATH_MAX;
}

static bool set_delay(const char *text)
{
    char *end;
    errno = 0;
    delay_ms = strtol(text, &end, 10);
    return errno == 0 && *text != '\0' && *end == '\0' && delay_ms >= 0;
}

int main(int argc, char *argv[])
{
    static char read_only[] = "-oro";
    const char *source = NULL, *value;
    int kept = 1;
    bool ok = true;
    for (int i = 1; i < argc; i++) {
        if ((value = option_value(argv[i], "--delay-ms=")))
            ok = ok && set_delay(value);
        else if ((value = option_value(argv[i], "--hang=")))
            ok = ok && set_hang_path(value);
        else if (!source && argv[i][0] != '-' && strcmp(argv[kept - 1], "-o") != 0)
            source = argv[i];
        else
            argv[kept++] = argv[i];
    }
    struct stat st;
    if (!ok || !source || !realpath(source, source_root)
        || stat(source_root, &st) != 0 || !S_ISDIR(st.st_mode)) {
        fprintf(stderr, "usage: %s [--delay-ms=N] [--hang=RELPATH] SOURCE MOUNTPOINT"
                        " [fuse options]\n", argv[0]);
        return 2;
    }
    /* Taking SOURCE out left room for this. A read-only mount also keeps the
     * kernel from asking for attributes again after each listing (atime). */
    argv[kept++] = read_only;
    argv[kept] = NULL;
    /* Every thread inherits the block; only the releaser takes SIGUSR1. */
    sigset_t usr1 = only_sigusr1();
    pthread_sigmask(SIG_BLOCK, &usr1, NULL);
    return fuse_main(kept, argv, &slow_operations, NULL);
}
