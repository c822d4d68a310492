/*
 * videosave.cpp - MP4 and WebM video by the ffmpeg program (POSIX): the
 * frames go to its standard input as raw RGB, and what it writes to its
 * standard output is kept in memory and written through the save sink
 * once ffmpeg has finished well, so a failed or interrupted run leaves
 * no partial video.  MP4 to a pipe is written fragmented, which every
 * player reads.
 */
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "cli/frameout.h"
#include "cli/system.h"
#include "tiff/savesink.h"

namespace {

/* The ffmpeg on the PATH, or "". */
std::string findffmpeg()
{
    const char *path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        std::string candidate = (end > start ? folders.substr(start, end - start) : ".") + "/ffmpeg";
        struct stat st;
        if (stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return "";
}

/* Reads the child's standard output to its end. */
struct READER {
    int fd;
    std::string bytes;
    int error;
};

void readall(void *arg)
{
    READER *r = (READER *)arg;
    char buffer[1 << 16];
    for (;;) {
        ssize_t n = read(r->fd, buffer, sizeof buffer);
        if (n > 0)
            r->bytes.append(buffer, (size_t)n);
        else if (n == 0 || errno != EINTR) {
            r->error = n < 0 ? errno : 0;
            break;
        }
    }
}

class FFMPEGVIDEO : public FRAMEOUT {
public:
    FFMPEGVIDEO(const char *path, int width, int height) : path(path), width(width), height(height) {}
    ~FFMPEGVIDEO() override { stop(); }

    int start(const std::string &program, int kind, double fps, std::string *why)
    {
        std::string size = std::to_string(width) + "x" + std::to_string(height);
        char rate[32];
        std::snprintf(rate, sizeof rate, "%.17g", fps);
        std::vector<std::string> args = {program, "-hide_banner", "-loglevel", "error", "-nostdin",
                                         "-f", "rawvideo", "-pix_fmt", "rgb24", "-s", size,
                                         "-framerate", rate, "-i", "pipe:0"};
        if (kind == FRAMES_MP4)
            args.insert(args.end(), {"-c:v", "libx264", "-preset", "veryfast", "-crf", "18", "-pix_fmt",
                                     "yuv420p", "-movflags", "frag_keyframe+empty_moov", "-f", "mp4"});
        else
            args.insert(args.end(), {"-c:v", "libvpx-vp9", "-b:v", "0", "-crf", "30", "-deadline",
                                     "realtime", "-cpu-used", "8", "-row-mt", "1", "-pix_fmt", "yuv420p",
                                     "-f", "webm"});
        args.push_back("pipe:1");
        int in[2], out[2];
        if (pipe(in) != 0 || pipe(out) != 0)
            return *why = std::string("cannot start ffmpeg: ") + std::strerror(errno), 1;
        /* A pipe to an ffmpeg that has stopped must give an error, not end
           lumo. */
        std::signal(SIGPIPE, SIG_IGN);
        std::vector<char *> argv;
        for (std::string &a : args)
            argv.push_back(&a[0]);
        argv.push_back(nullptr);
        child = fork();
        if (child == 0) {
            dup2(in[0], 0);
            dup2(out[1], 1);
            close(in[0]);
            close(in[1]);
            close(out[0]);
            close(out[1]);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        if (child < 0) {
            close(in[1]);
            close(out[0]);
            return *why = std::string("cannot start ffmpeg: ") + std::strerror(errno), 1;
        }
        input = in[1];
        reader.fd = out[0];
        reader.error = 0;
        void *arg = &reader;
        readers = workers_start(1, readall, &arg);
        if (workers_count(readers) != 1)
            return *why = "cannot start a thread to read ffmpeg's output", 1;
        return 0;
    }

    int add(long, const unsigned char *rgb, const std::string &, std::string *why) override
    {
        size_t size = (size_t)width * height * 3, done = 0;
        while (done < size) {
            ssize_t n = write(input, rgb + done, size - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                *why = std::string("ffmpeg stopped taking frames: ") + std::strerror(errno);
                return 1;
            }
            done += (size_t)n;
        }
        return 0;
    }

    int finish(std::string *why) override
    {
        int status = stop();
        if (status != 0) {
            *why = status == 127 ? "ffmpeg could not be run"
                                 : "ffmpeg failed (its messages are above), exit status " + std::to_string(status);
            return 1;
        }
        if (reader.error != 0)
            return *why = std::string("cannot read ffmpeg's output: ") + std::strerror(reader.error), 1;
        int error = 0;
        SAVESINK *sink = savesink_open(path, &error);
        if (sink != nullptr) {
            error = savesink_write(sink, reader.bytes.data(), reader.bytes.size());
            if (error == 0)
                error = savesink_commit(sink);
            else
                savesink_abort(sink);
        }
        if (error != 0)
            return *why = std::string("cannot write ") + path + ": " + savesink_reason(error), 1;
        return 0;
    }

private:
    /* Ends ffmpeg's input, waits for it and its output; its exit status,
       or -1 when it did not exit normally. */
    int stop()
    {
        if (input >= 0)
            close(input);
        input = -1;
        if (readers != nullptr)
            workers_join(readers);
        readers = nullptr;
        if (reader.fd >= 0)
            close(reader.fd);
        reader.fd = -1;
        int status = -1;
        if (child > 0) {
            int raw;
            while (waitpid(child, &raw, 0) < 0 && errno == EINTR) {
            }
            status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        }
        child = -1;
        return status;
    }

    const char *path;
    int width, height;
    pid_t child = -1;
    int input = -1;
    READER reader = {-1, "", 0};
    WORKERS *readers = nullptr;
};

}

std::string ffmpegmissing()
{
    if (!findffmpeg().empty())
        return "";
    return "MP4 and WebM need the ffmpeg program, which is not installed (Debian: apt-get install "
           "ffmpeg); or write numbered frames (-o NAME-%04d.png) or an animated NAME.webp";
}

FRAMEOUT *ffmpegvideo(const char *path, int kind, int width, int height, double fps, std::string *why)
{
    std::string program = findffmpeg();
    if (program.empty()) {
        *why = ffmpegmissing();
        return nullptr;
    }
    FFMPEGVIDEO *out = new FFMPEGVIDEO(path, width, height);
    if (out->start(program, kind, fps, why) != 0) {
        delete out;
        return nullptr;
    }
    return out;
}
