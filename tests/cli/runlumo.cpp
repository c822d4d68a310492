/*
 * runlumo.cpp - runs lumo in a child process (see runlumo.h).  Standard
 * input, output and error go through temporary files, so no pipe can fill
 * up and block either side.
 */
#include "runlumo.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

/* A new empty temporary file, open for reading and writing; its name is
   removed at once. */
int tempfile()
{
    const char *dir = std::getenv("TMPDIR");
    std::string pattern = std::string(dir ? dir : "/tmp") + "/lumo-cli-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd >= 0)
        unlink(name.data());
    return fd;
}

std::string readall(int fd)
{
    std::string text;
    char buffer[4096];
    lseek(fd, 0, SEEK_SET);
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, (size_t)n);
    return text;
}

}

LUMORUN runlumo(const std::vector<std::string> &args, const std::string &input, long outputlimit)
{
    LUMORUN run = {-1, "", ""};
    int in = tempfile(), out = tempfile(), err = tempfile();
    if (in < 0 || out < 0 || err < 0 ||
        write(in, input.data(), input.size()) != (ssize_t)input.size()) {
        run.err = "cannot make temporary files";
        return run;
    }
    lseek(in, 0, SEEK_SET);

    std::vector<char *> argv;
    argv.push_back(const_cast<char *>(LUMO_EXE));
    for (const std::string &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);

    std::fflush(nullptr);
    pid_t child = fork();
    if (child == 0) {
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        if (outputlimit > 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            struct rlimit limit = {(rlim_t)outputlimit, (rlim_t)outputlimit};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        execv(LUMO_EXE, argv.data());
        _exit(127);
    }
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status))
        run.status = WEXITSTATUS(status);
    run.out = readall(out);
    run.err = readall(err);
    close(in);
    close(out);
    close(err);
    return run;
}
