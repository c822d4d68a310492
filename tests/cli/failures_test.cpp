/*
 * failures_test.cpp - lumo when things go wrong around it: targets that
 * cannot be written, writes that fail, interrupts during a save, threads
 * that cannot start, output and input that fail.  Whatever happens, the
 * file that was at the target stays as it was, no temporary file is left,
 * and one line names the file and the reason.
 *
 * Everything happens in a scratch folder; failures come from limits set
 * in the child (file size, address space, processor time) and from nodes,
 * pipes and links made here.
 */
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const std::string OLD = "last week's picture\n";

std::string slurp(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

/* What a finished child left: its wait status and its standard error. */
struct ENDED {
    int status;
    std::string err;
    bool exited(int code) const { return WIFEXITED(status) && WEXITSTATUS(status) == code; }
};

class LumoFailures : public ::testing::Test {
protected:
    std::string dir;

    void SetUp() override
    {
        char name[] = "/tmp/lumo-failures-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir = name;
    }
    void TearDown() override
    {
        std::string command = "rm -rf '" + dir + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    std::string file(const std::string &name) const { return dir + "/" + name; }

    void makeold(const std::string &name)
    {
        std::ofstream(file(name), std::ios::binary) << OLD;
    }

    std::set<std::string> names(const std::string &sub = "") const
    {
        std::set<std::string> found;
        DIR *d = opendir((dir + sub).c_str());
        for (struct dirent *e; d != nullptr && (e = readdir(d)) != nullptr;)
            if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
                found.insert(e->d_name);
        if (d != nullptr)
            closedir(d);
        return found;
    }

    /* Starts lumo with standard input from in (-1: an empty file) and
       standard output to out (-1: a file in the scratch folder); inchild
       runs in the child before the program starts. */
    pid_t start(const std::vector<std::string> &args, int in = -1, int out = -1,
                const std::function<void()> &inchild = nullptr)
    {
        std::vector<char *> argv = {const_cast<char *>(LUMO_EXE)};
        for (const std::string &a : args)
            argv.push_back(const_cast<char *>(a.c_str()));
        argv.push_back(nullptr);
        std::string errname = file(".stderr"), outname = file(".stdout"), inname = file(".stdin");
        std::fflush(nullptr);
        pid_t child = fork();
        if (child == 0) {
            int e = open(errname.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            int i = in >= 0 ? in : open(inname.c_str(), O_RDONLY | O_CREAT, 0644);
            int o = out >= 0 ? out : open(outname.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (e < 0 || i < 0 || o < 0)
                _exit(120);
            dup2(i, 0);
            dup2(o, 1);
            dup2(e, 2);
            if (inchild)
                inchild();
            execv(LUMO_EXE, argv.data());
            _exit(127);
        }
        return child;
    }

    ENDED finish(pid_t child)
    {
        ENDED ended = {-1, ""};
        EXPECT_EQ(waitpid(child, &ended.status, 0), child);
        ended.err = slurp(file(".stderr"));
        unlink(file(".stderr").c_str());
        unlink(file(".stdout").c_str());
        unlink(file(".stdin").c_str());
        return ended;
    }

    ENDED run(const std::vector<std::string> &args, const std::function<void()> &inchild = nullptr)
    {
        return finish(start(args, -1, -1, inchild));
    }
};

/* A limit for the child; SIGXFSZ ignored, so writes past a file size
   limit fail rather than end the program, unless keepxfsz (as a shell's
   ulimit -f leaves it: lumo must ignore it itself). */
std::function<void()> limit(int resource, rlim_t value, bool keepxfsz = false)
{
    return [resource, value, keepxfsz]() {
        if (!keepxfsz)
            std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit r = {value, value};
        if (setrlimit(resource, &r) != 0)
            _exit(121);
    };
}

std::string cannotwrite(const std::string &path, const char *reason)
{
    return "lumo: cannot write " + path + ": " + reason + "\n";
}

TEST_F(LumoFailures, EveryFailedSaveNamesTheFileAndTheReasonAndKeepsTheOldFile)
{
    ASSERT_EQ(mkdir(file("folder").c_str(), 0755), 0);
    ASSERT_EQ(mkfifo(file("pipe").c_str(), 0644), 0);
    ASSERT_EQ(mknod(file("node").c_str(), S_IFCHR | 0644, makedev(1, 3)), 0);
    ASSERT_EQ(symlink("pipe", file("link").c_str()), 0);
    makeold("old.tif");
    makeold("old.png");
    makeold("afile");
    struct {
        std::string target;
        std::vector<std::string> extra;
        std::function<void()> inchild;
        std::string reason;
    } cases[] = {
        {file("missing/x.tif"), {}, nullptr, "No such file or directory"},
        {file("afile/x.tif"), {}, nullptr, "Not a directory"},
        {file("folder"), {}, nullptr, "Is a directory"},
        {file("pipe"), {}, nullptr, "Not a regular file"},
        {file("node"), {}, nullptr, "Not a regular file"},
        {file("link"), {}, nullptr, "Not a regular file"},
        {file("old.tif"), {}, limit(RLIMIT_FSIZE, 100000), std::strerror(EFBIG)},
        {file("old.tif"), {"--lzw", "--formula", "9", "--size", "900", "900"},
         limit(RLIMIT_FSIZE, 300000), std::strerror(EFBIG)},
        {file("old.tif"), {}, limit(RLIMIT_FSIZE, 100000, true), std::strerror(EFBIG)},
        {file("old.png"), {}, limit(RLIMIT_FSIZE, 2000, true), std::strerror(EFBIG)},
    };
    std::set<std::string> before = names();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.target);
        std::vector<std::string> args = {"render", "--size", "300", "300", "-o", c.target};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        ENDED e = run(args, c.inchild);
        EXPECT_TRUE(e.exited(1)) << e.status;
        EXPECT_EQ(e.err, cannotwrite(c.target, c.reason.c_str()));
        EXPECT_EQ(slurp(file("old.tif")), OLD);
        EXPECT_EQ(slurp(file("old.png")), OLD);
        EXPECT_EQ(names(), before);
        EXPECT_TRUE(names("/folder").empty());
    }
    struct stat st;
    ASSERT_EQ(lstat(file("node").c_str(), &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode) && st.st_rdev == makedev(1, 3));
    ASSERT_EQ(lstat(file("pipe").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(LumoFailures, LzwThatCannotShrinkThePictureSaysWhatToDoAndKeepsTheOldFile)
{
    makeold("noisy.tif");
    /* formula 27's default view does not shrink under LZW */
    ENDED e = run({"render", "--formula", "27", "--size", "64", "64", "--lzw", "-o", file("noisy.tif")});
    EXPECT_TRUE(e.exited(1));
    EXPECT_EQ(e.err, "lumo render: LZW compression cannot make this picture smaller, so " +
                         file("noisy.tif") + " was not written; leave out --lzw to save it uncompressed, "
                         "or save it as PNG (-o NAME.png)\n");
    EXPECT_EQ(slurp(file("noisy.tif")), OLD);
    EXPECT_EQ(names(), std::set<std::string>{"noisy.tif"});
}

TEST_F(LumoFailures, AFileThatCannotBeWrittenIsFoundBeforeRendering)
{
    /* A 9600 x 9600 render of zeta takes minutes of processor time; the
       child gets two seconds, so only a check before the render ends it
       normally. */
    ENDED e = run({"render", "--formula", "27", "--size", "9600", "9600", "-o", file("no/such/folder/z.tif")},
                  limit(RLIMIT_CPU, 2));
    EXPECT_TRUE(e.exited(1)) << "status " << e.status;
    EXPECT_EQ(e.err, cannotwrite(file("no/such/folder/z.tif"), "No such file or directory"));
    EXPECT_TRUE(names().empty());
}

/* Targets that only show what they are when followed to the end: a link
   to standard output (as /dev/stdout is) while that is a pipe, and files
   in a sticky folder that the user running lumo may not replace.  Each
   is refused before a render that would take minutes (the child gets two
   seconds of processor time). */
TEST_F(LumoFailures, TargetsThatCannotBeReplacedAreFoundBeforeRendering)
{
    const std::vector<std::string> zeta = {"render", "--formula", "27", "--size", "9600", "9600", "-o"};
    ASSERT_EQ(symlink("/proc/self/fd/1", file("stdout").c_str()), 0);
    int ends[2];
    ASSERT_EQ(pipe2(ends, O_CLOEXEC), 0);
    std::vector<std::string> args = zeta;
    args.push_back(file("stdout"));
    ENDED e = finish(start(args, -1, ends[1], limit(RLIMIT_CPU, 2)));
    close(ends[0]);
    close(ends[1]);
    EXPECT_TRUE(e.exited(1)) << "status " << e.status;
    EXPECT_EQ(e.err, cannotwrite(file("stdout"), "Not a regular file"));

    if (geteuid() != 0)
        GTEST_SKIP() << "making files of other users needs root";
    /* lumo runs as uid 65533 in a sticky folder of uid 65534. */
    const uid_t me = 65533, other = 65534;
    ASSERT_EQ(chmod(dir.c_str(), 0755), 0);
    ASSERT_EQ(mkdir(file("sticky").c_str(), 0755), 0);
    ASSERT_EQ(chmod(file("sticky").c_str(), 01777), 0);
    ASSERT_EQ(chown(file("sticky").c_str(), other, other), 0);
    struct {
        const char *name;
        uid_t owner;
        bool refused;
    } cases[] = {
        {"sticky/theirs.tif", other, true},
        {"sticky/roots.tif", 0, true},
        {"sticky/mine.tif", me, false},
    };
    auto asme = [](const std::function<void()> &then) {
        return [then]() {
            if (setgid(65533) != 0 || setuid(65533) != 0)
                _exit(122);
            if (then)
                then();
        };
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        makeold(c.name);
        ASSERT_EQ(chmod(file(c.name).c_str(), 0666), 0);
        ASSERT_EQ(chown(file(c.name).c_str(), c.owner, c.owner), 0);
        std::vector<std::string> a = c.refused ? zeta : std::vector<std::string>{"render", "--size", "32", "32", "-o"};
        a.push_back(file(c.name));
        ENDED r = run(a, asme(limit(RLIMIT_CPU, 2)));
        EXPECT_TRUE(r.exited(c.refused ? 1 : 0)) << "status " << r.status << " " << r.err;
        EXPECT_EQ(r.err, c.refused ? cannotwrite(file(c.name), std::strerror(EPERM)) : "");
        EXPECT_EQ(slurp(file(c.name)) == OLD, c.refused);
    }
    /* A new name, and root replacing anyone's file, are fine. */
    EXPECT_TRUE(run({"render", "--size", "32", "32", "-o", file("sticky/new.tif")}, asme(nullptr)).exited(0));
    EXPECT_TRUE(run({"render", "--size", "32", "32", "-o", file("sticky/theirs.tif")}).exited(0));
    EXPECT_NE(slurp(file("sticky/theirs.tif")), OLD);
    EXPECT_EQ(names("/sticky"), (std::set<std::string>{"mine.tif", "new.tif", "roots.tif", "theirs.tif"}));
}

TEST_F(LumoFailures, AnInterruptedSaveLeavesTheOldFileAndNoTemporaryFile)
{
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(strsignal(sig));
        /* The signal must come while the temporary file exists: the child
           is stopped as soon as it shows, and signalled while stopped.  A
           save can still win the race; it is then tried again. */
        int caught = 0;
        for (int attempt = 0; attempt < 5 && !caught; attempt++) {
            makeold("big.tif");
            pid_t child = start({"render", "--formula", "5", "--size", "2000", "2000", "--threads", "2",
                                 "-o", file("big.tif")});
            std::string temp;
            while (temp.empty()) {
                for (const std::string &n : names())
                    if (n.rfind(".big.tif.lumo-save-", 0) == 0)
                        temp = n;
                int status;
                if (temp.empty() && waitpid(child, &status, WNOHANG) == child) {
                    ADD_FAILURE() << "lumo ended before its save began: " << status;
                    return;
                }
                if (temp.empty())
                    usleep(500);
            }
            kill(child, SIGSTOP);
            struct stat st;
            caught = stat(file(temp).c_str(), &st) == 0;
            kill(child, sig);
            kill(child, SIGCONT);
            ENDED e = finish(child);
            if (!caught)
                continue;
            EXPECT_TRUE(WIFSIGNALED(e.status) && WTERMSIG(e.status) == sig) << "status " << e.status;
            /* A signal that meets the final rename ends the program just
               after it: then the new file is there whole. */
            std::string now = slurp(file("big.tif"));
            EXPECT_TRUE(now == OLD || now.size() == 180u + 2000u * 2000u * 3u) << now.size() << " bytes";
            EXPECT_EQ(names(), std::set<std::string>{"big.tif"});
        }
        EXPECT_TRUE(caught) << "no save was caught in progress";
    }
}

#if defined(__SANITIZE_ADDRESS__)
#define LUMO_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LUMO_ADDRESS_SANITIZER 1
#endif
#endif

TEST_F(LumoFailures, ThreadsThatCannotStartMeanFewerThreadsAndTheSameFile)
{
#ifdef LUMO_ADDRESS_SANITIZER
    GTEST_SKIP() << "an address space limit does not work under AddressSanitizer (lumo is built with it too)";
#endif
    ENDED one = run({"render", "--size", "64", "64", "--threads", "1", "-o", file("one.tif")});
    ASSERT_TRUE(one.exited(0)) << one.err;
    /* 200 thread stacks of 8 MB do not fit in 512 MB of address space. */
    ENDED many = run({"render", "--size", "64", "64", "--threads", "200", "-o", file("many.tif")},
                     limit(RLIMIT_AS, (rlim_t)512 << 20));
    EXPECT_TRUE(many.exited(0)) << many.status;
    EXPECT_NE(many.err.find("threads could be started"), std::string::npos) << many.err;
    EXPECT_EQ(slurp(file("many.tif")), slurp(file("one.tif")));
}

TEST_F(LumoFailures, EvalTakesNoMoreMemoryThanTheLongestLineNeeds)
{
    /* A 64 MB line: refused after its first 4096 bytes, in a few MB. */
    {
        std::ofstream in(file("long.txt"), std::ios::binary);
        std::string block(1 << 20, '1');
        for (int k = 0; k < 64; k++)
            in << block;
        in << " 2\n";
    }
    int in = open(file("long.txt").c_str(), O_RDONLY);
    pid_t child = start({"eval", "--formula", "3"}, in);
    close(in);
    struct rusage usage;
    int status = 0;
    ASSERT_EQ(wait4(child, &status, 0, &usage), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << status;
    EXPECT_EQ(slurp(file(".stderr")), "lumo eval: line 1 is longer than 4094 characters\n");
    EXPECT_LT(usage.ru_maxrss, 48L << 10) << "kB at most";
}

/* A typed text of 760 constants needs 760 registers of 128 points (1.5 MB)
   per thread.  Under address-space limits from the least a plain render
   needs upward, lumo render and lumo eval either work or say that memory
   ran out, with status 1 and the old file as it was; they never abort. */
TEST_F(LumoFailures, ATypedFunctionWithoutMemoryForItsRegistersSaysSoAndLeavesNoFile)
{
#ifdef LUMO_ADDRESS_SANITIZER
    GTEST_SKIP() << "an address space limit does not work under AddressSanitizer (lumo is built with it too)";
#endif
    std::string text = "z*1";
    for (int k = 2; text.size() + 8 < 4096; k++)
        text += "+z*" + std::to_string(k);
    auto render = [&](const std::string &expr, rlim_t kb) {
        return run({"render", "--expr", expr, "--size", "32", "32", "--threads", "1", "-o", file("t.tif")},
                   limit(RLIMIT_AS, kb << 10));
    };
    /* The least address space (in steps of 64 kB) a render of z needs. */
    rlim_t low = 256, high = 1 << 20;
    while (high - low > 64) {
        rlim_t mid = (low + high) / 2;
        (render("z", mid).exited(0) ? high : low) = mid;
    }
    std::set<std::string> messages;
    for (rlim_t kb = high; kb < high + 8192; kb += 256) {
        SCOPED_TRACE(std::to_string(kb) + " kB");
        makeold("t.tif");
        ENDED e = render(text, kb);
        EXPECT_TRUE(e.exited(0) || e.exited(1)) << e.status << " " << e.err;
        if (e.exited(1)) {
            messages.insert(e.err);
            EXPECT_EQ(slurp(file("t.tif")), OLD);
        }
        EXPECT_EQ(names(), std::set<std::string>{"t.tif"});

        std::ofstream(file(".points")) << "1 2\n3 4\n";
        int in = open(file(".points").c_str(), O_RDONLY);
        unlink(file(".points").c_str());
        std::function<void()> limited = limit(RLIMIT_AS, kb << 10);
        ENDED ev = finish(start({"eval", "--expr", text}, in, -1, limited));
        close(in);
        EXPECT_TRUE(ev.exited(0) || ev.exited(1)) << ev.status << " " << ev.err;
        if (ev.exited(1))
            messages.insert(ev.err);
    }
    /* The registers themselves did run short, in both commands. */
    EXPECT_EQ(messages.count("lumo render: not enough memory to evaluate the function\n"), 1u);
    EXPECT_EQ(messages.count("lumo eval: line 1: not enough memory to evaluate the function\n"), 1u);
    for (const std::string &m : messages)
        EXPECT_NE(m.find("not enough memory"), std::string::npos) << m;
}

TEST_F(LumoFailures, EveryCommandFailsWhenItsOutputCannotBeWritten)
{
    const std::vector<std::string> commands[] = {
        {"formulas"},
        {"--help"},
        {"render", "--help"},
        {"eval", "--help"},
        {"render", "--size", "32", "32", "--report-max", "-o", "m.tif"},
    };
    for (const auto &args : commands) {
        SCOPED_TRACE(args[0] + (args.size() > 1 ? " " + args[1] : ""));
        std::vector<std::string> in = args;
        if (in.back() == "m.tif")
            in.back() = file("m.tif");
        /* Standard output is a pipe nobody reads (SIGPIPE ignored, so the
           write itself fails). */
        int ends[2];
        ASSERT_EQ(pipe2(ends, O_CLOEXEC), 0);
        close(ends[0]);
        ENDED e = finish(start(in, -1, ends[1], []() { std::signal(SIGPIPE, SIG_IGN); }));
        close(ends[1]);
        EXPECT_TRUE(e.exited(1)) << e.status;
        EXPECT_EQ(e.err, "lumo: cannot write standard output: " + std::string(std::strerror(EPIPE)) + "\n");
    }
}

TEST_F(LumoFailures, EvalSaysOnceThatItsResultsCannotBeWritten)
{
    std::ofstream(file(".points")) << "1 2\n3 4\n";
    /* Standard output closed, and a pipe nobody reads (SIGPIPE ignored). */
    int ends[2];
    ASSERT_EQ(pipe2(ends, O_CLOEXEC), 0);
    close(ends[0]);
    struct {
        int out;
        std::function<void()> inchild;
        int reason;
    } cases[] = {
        {-1, []() { close(1); }, EBADF},
        {ends[1], []() { std::signal(SIGPIPE, SIG_IGN); }, EPIPE},
    };
    for (const auto &c : cases) {
        int in = open(file(".points").c_str(), O_RDONLY);
        ENDED e = finish(start({"eval", "--formula", "3"}, in, c.out, c.inchild));
        close(in);
        EXPECT_TRUE(e.exited(1)) << e.status;
        EXPECT_EQ(e.err, "lumo eval: cannot write the results: " + std::string(std::strerror(c.reason)) + "\n");
    }
    close(ends[1]);
}

TEST_F(LumoFailures, EvalReportsInputItCannotReadAndQuotesBadLinesSafely)
{
    /* A folder as standard input: every read fails. */
    int folder = open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(folder, 0);
    ENDED e = finish(start({"eval", "--formula", "3"}, folder));
    close(folder);
    EXPECT_TRUE(e.exited(1));
    EXPECT_EQ(e.err, "lumo eval: cannot read standard input: " + std::string(std::strerror(EISDIR)) + "\n");

    struct {
        std::string input;
        std::string message;
    } cases[] = {
        {std::string("1 2\n3\0 4\n", 9), "lumo eval: line 2 holds a NUL character: '3\\x00 4'\n"},
        {"1 2\n\x1b[2J 4\n", "lumo eval: line 2: expected two numbers \"x y\", got '\\x1b[2J 4'\n"},
        {"1\t2\t3\r\n", "lumo eval: line 1: expected two numbers \"x y\", got '1\\t2\\t3'\n"},
        {std::string(5000, '1') + " 2\n5 x\n", "lumo eval: line 1 is longer than 4094 characters\n"},
        /* the longest line there may be: the next one is still line 3 */
        {"1 2\n1" + std::string(4092, ' ') + "2\n5 \xff\n",
         "lumo eval: line 3: expected two numbers \"x y\", got '5 \\xff'\n"},
    };
    for (const auto &c : cases) {
        std::ofstream(file("in.txt"), std::ios::binary) << c.input;
        int in = open(file("in.txt").c_str(), O_RDONLY);
        ENDED bad = finish(start({"eval", "--formula", "3"}, in));
        close(in);
        EXPECT_TRUE(bad.exited(2));
        EXPECT_EQ(bad.err, c.message);
    }
}

TEST_F(LumoFailures, EvalIntoAPipeAnswersEachLineAsItComes)
{
    int toeval[2], fromeval[2];
    /* Close-on-exec, so the child holds no end but its own two. */
    ASSERT_EQ(pipe2(toeval, O_CLOEXEC), 0);
    ASSERT_EQ(pipe2(fromeval, O_CLOEXEC), 0);
    pid_t child = start({"eval", "--formula", "3"}, toeval[0], fromeval[1]);
    close(toeval[0]);
    close(fromeval[1]);
    /* Each answer must arrive while the input is still open. */
    for (const char *point : {"1 2\n", "3 4\n", "0.5 -0.25\n"}) {
        ASSERT_EQ(write(toeval[1], point, std::strlen(point)), (ssize_t)std::strlen(point));
        std::string answer;
        while (answer.empty() || answer.back() != '\n') {
            struct pollfd p = {fromeval[0], POLLIN, 0};
            ASSERT_EQ(poll(&p, 1, 20000), 1) << "no answer to " << point;
            char c;
            ASSERT_EQ(read(fromeval[0], &c, 1), 1);
            answer += c;
        }
        EXPECT_EQ(std::count(answer.begin(), answer.end(), ' '), 2) << answer;
    }
    close(toeval[1]);
    close(fromeval[0]);
    EXPECT_TRUE(finish(child).exited(0));
}

}
