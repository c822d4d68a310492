/*
 * savefile.cpp - the POSIX whole-file save of common/platform.h, and the
 * signal handling that keeps an interrupted save from leaving its
 * temporary file behind.
 *
 * A symbolic link at the target is followed to the file it names, and the
 * temporary file is made in that file's folder: the rename then replaces
 * the file the link points at, and the link stays a link.  The new file
 * keeps the mode (and, for root, the owner) of the file it replaces.
 */
#include "headless/headless.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/platform.h"
#include "headless/earlyflush.h"
#include "headless/signalsheld.h"

struct POSIXSAVE {
    int fd;
    std::string temp;
    std::string target;
    long long size = 0;
    EARLYFLUSH *flush = nullptr;
};

/* The temporary file of the save in progress, for the signal handler. */
static char pendingtemp[4096];
static volatile sig_atomic_t pending;

/* The folder part of a path, "." when it has none. */
static std::string folderof(const std::string &path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

/* Follows symbolic links from path to the name the save replaces, and
   says what is there: 0 for a regular file or nothing, else the error. */
static int resolvetarget(const char *path, std::string *target, struct stat *st, int *exists)
{
    std::string p = path;
    *exists = 0;
    for (int hops = 0; hops < 40; hops++) {
        if (p.empty() || p.back() == '/')
            return EISDIR;
        if (lstat(p.c_str(), st) != 0) {
            int error = errno;
            /* A link whose text is no path (/proc/self/fd/1 -> pipe:[N],
               as /dev/stdout into a pipe) still leads somewhere: what is
               there cannot be replaced by a file of that name. */
            struct stat there;
            if (error == ENOENT && hops > 0 && stat(path, &there) == 0)
                return S_ISDIR(there.st_mode) ? EISDIR
                       : S_ISREG(there.st_mode) ? ENOENT : SAVEFILE_NOTREGULAR;
            *target = p;
            return error == ENOENT ? 0 : error;
        }
        if (!S_ISLNK(st->st_mode)) {
            *target = p;
            *exists = 1;
            if (S_ISDIR(st->st_mode))
                return EISDIR;
            return S_ISREG(st->st_mode) ? 0 : SAVEFILE_NOTREGULAR;
        }
        char link[4096];
        ssize_t n = readlink(p.c_str(), link, sizeof link - 1);
        if (n < 0)
            return errno;
        link[n] = '\0';
        p = link[0] == '/' ? std::string(link) : folderof(p) + "/" + link;
    }
    return ELOOP;
}

/* The folder must be one this process can make files in, and where a
   file is there, one whose file it may replace: in a sticky folder (like
   /tmp) only the owner of the file or of the folder, or root, may. */
static int checkfolder(const std::string &target, const struct stat *file, int exists)
{
    std::string folder = folderof(target);
    struct stat st;
    if (stat(folder.c_str(), &st) != 0)
        return errno;
    if (!S_ISDIR(st.st_mode))
        return ENOTDIR;
    if (access(folder.c_str(), W_OK | X_OK) != 0)
        return errno;
    uid_t me = geteuid();
    if (exists && (st.st_mode & S_ISVTX) && me != 0 && file->st_uid != me && st.st_uid != me)
        return EPERM;
    return 0;
}

int savefile_check(const char *path)
{
    std::string target;
    struct stat st;
    int exists;
    int error = resolvetarget(path, &target, &st, &exists);
    return error != 0 ? error : checkfolder(target, &st, exists);
}

/* Signals that end the program are held off while the pending name
   changes, so the handler never sees half of it. */
static void holdsignals(int hold, sigset_t *saved)
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    if (hold)
        pthread_sigmask(SIG_BLOCK, &set, saved);
    else
        pthread_sigmask(SIG_SETMASK, saved, nullptr);
}

SIGNALSHELD::SIGNALSHELD()
{
    holdsignals(1, &saved);
}

SIGNALSHELD::~SIGNALSHELD()
{
    holdsignals(0, &saved);
}

/* Creates a new file with a name no other file has; its name goes to
   *temp. */
static int createtemp(const std::string &target, std::string *temp, int *fd)
{
    std::string folder = folderof(target);
    std::string name = target.substr(target.rfind('/') + 1);
    if (name.size() > 200)      /* room for the suffix within NAME_MAX */
        name.resize(200);
    static unsigned long counter;
    static const char digits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; attempt++) {
        struct timespec now;
        clock_gettime(CLOCK_REALTIME, &now);
        unsigned long long mix = (unsigned long long)now.tv_nsec * 0x9e3779b97f4a7c15ULL ^
                                 ((unsigned long long)getpid() << 20) ^ ++counter * 0xbf58476d1ce4e5b9ULL;
        char suffix[7];
        for (int k = 0; k < 6; k++, mix /= 36)
            suffix[k] = digits[mix % 36];
        suffix[6] = '\0';
        *temp = folder + (folder == "/" ? "." : "/.") + name + ".lumo-save-" + suffix;
        if (temp->size() >= sizeof pendingtemp)
            return ENAMETOOLONG;

        sigset_t saved;
        holdsignals(1, &saved);
        *fd = open(temp->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        int error = *fd < 0 ? errno : 0;
        if (*fd >= 0) {
            std::memcpy(pendingtemp, temp->c_str(), temp->size() + 1);
            pending = 1;
        }
        holdsignals(0, &saved);
        if (error != EEXIST)
            return error;
    }
    return EEXIST;
}

/* Forgets the pending name once the file is renamed or removed. */
static void settle(const char *removetemp)
{
    sigset_t saved;
    holdsignals(1, &saved);
    if (removetemp != nullptr)
        unlink(removetemp);
    pending = 0;
    holdsignals(0, &saved);
}

static void besteffort(int) {}

int savefile_open(const char *path, void **file)
{
    std::string target;
    struct stat st;
    int exists;
    int error = resolvetarget(path, &target, &st, &exists);
    if (error == 0)
        error = checkfolder(target, &st, exists);
    if (error != 0)
        return error;

    POSIXSAVE *save = new POSIXSAVE();
    save->target = target;
    error = createtemp(target, &save->temp, &save->fd);
    if (error != 0) {
        delete save;
        return error;
    }
    save->flush = earlyflush_start(save->fd);
    if (exists) {
        /* Best effort: the file is still saved when these cannot be kept. */
        if (getuid() == 0)
            besteffort(fchown(save->fd, st.st_uid, st.st_gid));
        besteffort(fchmod(save->fd, st.st_mode & 07777));
    }
    *file = save;
    return 0;
}

int savefile_write(void *file, const void *bytes, size_t count)
{
    POSIXSAVE *save = (POSIXSAVE *)file;
    const char *p = (const char *)bytes;
    while (count > 0) {
        ssize_t n = write(save->fd, p, count);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        p += n;
        count -= (size_t)n;
        save->size += n;
    }
    earlyflush_grown(save->flush, save->size);
    return 0;
}

int savefile_writeat(void *file, long long offset, const void *bytes, size_t count)
{
    POSIXSAVE *save = (POSIXSAVE *)file;
    const char *p = (const char *)bytes;
    while (count > 0) {
        ssize_t n = pwrite(save->fd, p, count, (off_t)offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        p += n;
        offset += n;
        count -= (size_t)n;
    }
    return 0;
}

int savefile_commit(void *file)
{
    POSIXSAVE *save = (POSIXSAVE *)file;
    /* The data reaches the disk before the name does, so a crash leaves
       the old file or the new one, never an empty one. */
    int error = earlyflush_finish(save->flush);
    if (fsync(save->fd) != 0 && error == 0)
        error = errno;
    if (close(save->fd) != 0 && error == 0)
        error = errno;
    if (error == 0) {
        sigset_t saved;
        holdsignals(1, &saved);
        if (rename(save->temp.c_str(), save->target.c_str()) != 0)
            error = errno;
        else
            pending = 0;
        holdsignals(0, &saved);
    }
    settle(error != 0 ? save->temp.c_str() : nullptr);
    delete save;
    return error;
}

void savefile_abort(void *file)
{
    POSIXSAVE *save = (POSIXSAVE *)file;
    earlyflush_finish(save->flush);
    close(save->fd);
    settle(save->temp.c_str());
    delete save;
}

static volatile sig_atomic_t lineopen;

void headless_lineopen(int open)
{
    lineopen = open;
}

/* Removes the temporary file of a save in progress, then ends the program
   by the same signal, so its parent sees the usual status (130 after
   Ctrl+C in a shell). */
static void endonsignal(int signal)
{
    if (pending)
        unlink(pendingtemp);
    if (lineopen)
        besteffort((int)write(2, "\n", 1));
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    raise(signal);
}

void headless_cleanuponsignals()
{
    /* A write past the file size limit (ulimit -f) then fails with EFBIG,
       and the save's failure path removes its temporary file, instead of
       the signal ending the program with the file left behind. */
    std::signal(SIGXFSZ, SIG_IGN);
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = endonsignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction old;
        /* A signal the caller ignores (nohup, a background job) stays
           ignored. */
        if (sigaction(signal, nullptr, &old) == 0 && old.sa_handler != SIG_IGN)
            sigaction(signal, &action, nullptr);
    }
}
