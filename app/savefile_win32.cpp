/*
 * savefile_win32.cpp - the Win32 whole-file save of common/platform.h.
 *
 * The temporary file is made beside the target with a name of our own
 * (GetTempFileName's names would not say what a left-over file is), and
 * MoveFileEx puts it in place, writing through so the rename is on disk
 * when the save reports success.  A symbolic link at the target is
 * replaced by the new file, as MoveFileEx does; the file the link pointed
 * at is not touched.  Win32 error codes are mapped onto errno values for
 * the core.
 */
#include "app/LumoDomainColoring.h"

#include <cerrno>
#include <cstring>

struct WINSAVE {
    HANDLE file;
    char temp[MAX_PATH + 64];
    char target[MAX_PATH];
};

static int errnoof(DWORD code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return ENOMEM;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    default:
        return EIO;
    }
}

/* Length of the folder part of path, up to and including its last
   separator; 0 when there is none. */
static size_t folderlength(const char *path)
{
    size_t n = 0;
    for (size_t k = 0; path[k] != '\0'; k++)
        if (path[k] == '\\' || path[k] == '/' || (k == 1 && path[k] == ':'))
            n = k + 1;
    return n;
}

int savefile_check(const char *target)
{
    size_t n = folderlength(target);
    if (target[n] == '\0')
        return EISDIR;
    DWORD attributes = GetFileAttributesA(target);
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return EISDIR;
        if (attributes & FILE_ATTRIBUTE_DEVICE)
            return SAVEFILE_NOTREGULAR;
    } else if (GetLastError() != ERROR_FILE_NOT_FOUND) {
        return errnoof(GetLastError());
    }
    if (n == 0)
        return 0;
    char folder[MAX_PATH];
    if (n >= sizeof folder)
        return ENAMETOOLONG;
    std::memcpy(folder, target, n);
    folder[n] = '\0';
    attributes = GetFileAttributesA(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return errnoof(GetLastError());
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : ENOTDIR;
}

int savefile_open(const char *target, void **handle)
{
    int error = savefile_check(target);
    if (error != 0)
        return error;
    WINSAVE *save = new WINSAVE();
    if (LumoIO::strcpy_s(save->target, sizeof save->target, target) != 0) {
        delete save;
        return ENAMETOOLONG;
    }
    size_t n = folderlength(target);
    static unsigned long counter;
    for (int attempt = 0; attempt < 100; attempt++) {
        unsigned long mix = GetTickCount() * 2654435761u ^ GetCurrentProcessId() << 12 ^ ++counter * 40503u;
        char name[80];
        LumoIO::sprintf_s(name, sizeof name, ".lumo-save-%06lx", mix & 0xffffff);
        /* folder + "." + the target's name (cut short) + the suffix */
        char base[40];
        LumoIO::strcpy_s(base, sizeof base, target + n);
        LumoIO::sprintf_s(save->temp, sizeof save->temp, "%.*s.%s%s", (int)n, target, base, name);
        save->file = CreateFileA(save->temp, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        if (save->file != INVALID_HANDLE_VALUE) {
            *handle = save;
            return 0;
        }
        DWORD code = GetLastError();
        if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) {
            delete save;
            return errnoof(code);
        }
    }
    delete save;
    return EEXIST;
}

int savefile_write(void *handle, const void *bytes, size_t count)
{
    WINSAVE *save = (WINSAVE *)handle;
    const char *p = (const char *)bytes;
    while (count > 0) {
        DWORD chunk = count > (1u << 30) ? (1u << 30) : (DWORD)count;
        DWORD written = 0;
        if (!WriteFile(save->file, p, chunk, &written, nullptr))
            return errnoof(GetLastError());
        if (written == 0)
            return EIO;
        p += written;
        count -= written;
    }
    return 0;
}

int savefile_writeat(void *handle, long long offset, const void *bytes, size_t count)
{
    WINSAVE *save = (WINSAVE *)handle;
    LARGE_INTEGER at, end, zero;
    at.QuadPart = offset;
    zero.QuadPart = 0;
    /* Writes only ever append, so where the file pointer is, the end is. */
    if (!SetFilePointerEx(save->file, zero, &end, FILE_CURRENT) ||
        !SetFilePointerEx(save->file, at, nullptr, FILE_BEGIN))
        return errnoof(GetLastError());
    int error = savefile_write(handle, bytes, count);
    if (!SetFilePointerEx(save->file, end, nullptr, FILE_BEGIN) && error == 0)
        error = errnoof(GetLastError());
    return error;
}

int savefile_commit(void *handle)
{
    WINSAVE *save = (WINSAVE *)handle;
    int error = 0;
    if (!FlushFileBuffers(save->file))
        error = errnoof(GetLastError());
    if (!CloseHandle(save->file) && error == 0)
        error = errnoof(GetLastError());
    if (error == 0 &&
        !MoveFileExA(save->temp, save->target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = errnoof(GetLastError());
    if (error != 0)
        DeleteFileA(save->temp);
    delete save;
    return error;
}

void savefile_abort(void *handle)
{
    WINSAVE *save = (WINSAVE *)handle;
    CloseHandle(save->file);
    DeleteFileA(save->temp);
    delete save;
}
