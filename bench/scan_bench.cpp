// Times the block line classifier alone over a file, against counting line
// ends the way `wc -l` does, in the same process and on the same reads, and
// against `wc -l` itself.
//
//   scan-bench FILE [--equals] [--runs N] [--buffer KIB] [--no-scalar]
//
// Every variant reads the file with read() into one buffer (1 MiB unless
// --buffer says otherwise) after the page cache is warmed. For each it
// prints the median wall time of the runs and the median processor time
// (user + system, which shows the work done when other processes share the
// cores), and the ratio of the wall times to that of `wc -l`. "in cache"
// rows time the classifier alone on one read's bytes already in the cache
// (the best of many runs).
#include "scan/kernels.h"
#include "scan/line_classifier.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

extern char** environ;

namespace {

using corvel::scan::Kernel;
using corvel::scan::Layout;
using corvel::scan::LineClassifier;

struct Settings {
    const char* path = nullptr;
    Layout layout = Layout::LinePairs;
    int runs = 9;
    std::size_t buffer = 1 << 20;
    bool scalar = true;
};

struct Timing {
    double wall = 0;  // seconds, median
    double cpu = 0;   // seconds of user + system time, median
};

double wallNow()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double cpuNow()
{
    timespec t {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Reads the whole file through `buffer`, handing each read to `use`.
void readFile(const Settings& s, std::vector<char>& buffer,
              const std::function<void(const char*, std::size_t)>& use)
{
    int fd = ::open(s.path, O_RDONLY);
    if (fd < 0) {
        std::perror(s.path);
        std::exit(2);
    }
    for (;;) {
        ssize_t n = ::read(fd, buffer.data(), s.buffer);
        if (n <= 0)
            break;
        use(buffer.data(), static_cast<std::size_t>(n));
    }
    ::close(fd);
}

// LF bytes, 16 at a time, the way wc -l counts lines.
std::uint64_t countLf(const char* p, std::size_t n)
{
    std::uint64_t count = 0;
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    while (i + 16 * 255 <= n) {
        __m128i sum = _mm_setzero_si128();
        for (int k = 0; k < 255; ++k, i += 16)
            sum = _mm_sub_epi8(sum, _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)), lf));
        __m128i wide = _mm_sad_epu8(sum, _mm_setzero_si128());
        count += static_cast<std::uint64_t>(_mm_cvtsi128_si64(wide))
                 + static_cast<std::uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(wide, wide)));
    }
#endif
    for (; i < n; ++i)
        count += p[i] == '\n';
    return count;
}

Timing timeRuns(int runs, const std::function<void()>& body)
{
    std::vector<double> walls, cpus;
    for (int i = 0; i < runs; ++i) {
        double wall = wallNow(), cpu = cpuNow();
        body();
        walls.push_back(wallNow() - wall);
        cpus.push_back(cpuNow() - cpu);
    }
    return {median(walls), median(cpus)};
}

// A command as a process, its output thrown away; the processor time is
// the child's own.
Timing timeProcess(int runs, const char* const* argv)
{
    std::vector<double> walls, cpus;
    for (int i = 0; i < runs; ++i) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        double wall = wallNow();
        pid_t pid;
        if (posix_spawnp(&pid, argv[0], &actions, nullptr, const_cast<char* const*>(argv), environ) != 0) {
            std::perror(argv[0]);
            std::exit(2);
        }
        int status = 0;
        rusage usage {};
        ::wait4(pid, &status, 0, &usage);
        walls.push_back(wallNow() - wall);
        cpus.push_back(usage.ru_utime.tv_sec + usage.ru_utime.tv_usec * 1e-6 + usage.ru_stime.tv_sec
                       + usage.ru_stime.tv_usec * 1e-6);
        posix_spawn_file_actions_destroy(&actions);
    }
    return {median(walls), median(cpus)};
}

struct Counts {
    std::uint64_t lines = 0;
    std::uint64_t reported = 0;
};

Counts classifyFile(const Settings& s, std::vector<char>& buffer, Kernel kernel, bool copying)
{
    LineClassifier classifier({s.layout, copying, kernel});
    Counts counts;
    readFile(s, buffer, [&](const char* data, std::size_t n) {
        classifier.feed(data, n);
        for (auto batch = classifier.scan(); !batch.empty(); batch = classifier.scan())
            counts.reported += batch.size();
    });
    counts.reported += classifier.finish().size();
    counts.lines = classifier.lines();
    return counts;
}

// The first read's bytes up to a line end after an even number of lines, so
// that copies of it follow each other as a dictionary.
std::size_t wholePairs(const std::vector<char>& buffer, std::size_t size)
{
    std::size_t lines = 0, end = 0;
    for (std::size_t i = 0; i + 1 < size; ++i)
        if (buffer[i] == '\r' && buffer[i + 1] == '\n' && ++lines % 2 == 0)
            end = i + 2;
    return end;
}

// Seconds per byte for the classifier on bytes in the cache: the best of
// many runs over 8 copies of one read.
double inCache(const Settings& s, std::vector<char>& buffer, Kernel kernel, bool copying)
{
    std::size_t size = 0;
    readFile(s, buffer, [&](const char*, std::size_t n) {
        if (size == 0)
            size = n;
    });
    int fd = ::open(s.path, O_RDONLY);
    size = static_cast<std::size_t>(::read(fd, buffer.data(), s.buffer));
    ::close(fd);
    size = wholePairs(buffer, size);
    double best = 1e9;
    std::uint64_t reported = 0;
    for (int run = 0; run < 100; ++run) {
        LineClassifier classifier({s.layout, copying, kernel});
        double start = wallNow();
        for (int copy = 0; copy < 8; ++copy) {
            classifier.feed(buffer.data(), size);
            for (auto batch = classifier.scan(); !batch.empty(); batch = classifier.scan())
                reported += batch.size();
        }
        best = std::min(best, wallNow() - start);
    }
    if (reported == 0)
        std::printf("(nothing reported)\n");
    return best / (8.0 * size);
}

Settings parse(int argc, char** argv)
{
    const char* usage = "usage: scan-bench FILE [--equals] [--runs N] [--buffer KIB] [--no-scalar]\n";
    Settings s;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--equals")
            s.layout = Layout::Equals;
        else if (a == "--no-scalar")
            s.scalar = false;
        else if (a == "--runs" && i + 1 < argc)
            s.runs = std::atoi(argv[++i]);
        else if (a == "--buffer" && i + 1 < argc)
            s.buffer = std::size_t(std::atoi(argv[++i])) * 1024;
        else if (!s.path && a[0] != '-')
            s.path = argv[i];
        else {
            std::fputs(usage, stderr);
            std::exit(2);
        }
    }
    if (!s.path || s.runs < 1 || s.buffer == 0) {
        std::fputs(usage, stderr);
        std::exit(2);
    }
    return s;
}

}  // namespace

int main(int argc, char** argv)
{
    Settings s = parse(argc, argv);
    std::vector<char> buffer(s.buffer + LineClassifier::kSlack);
    std::uint64_t bytes = 0, lfs = 0;
    readFile(s, buffer, [&](const char*, std::size_t n) { bytes += n; });  // warms the cache

    std::printf("%s: %.1f MB, %s, median of %d runs, %zu KiB reads\n", s.path, bytes / 1e6,
                s.layout == Layout::LinePairs ? "line pairs" : "equals lines", s.runs,
                s.buffer / 1024);
    std::printf("%-34s %10s %9s %10s %8s\n", "", "wall", "GB/s", "cpu", "/ wc -l");
    const char* const wcArgs[] = {"wc", "-l", s.path, nullptr};
    const Timing wc = timeProcess(s.runs, wcArgs);
    auto row = [&](const char* what, const Timing& t, const std::string& note) {
        std::printf("%-34s %7.2f ms %9.2f %7.2f ms %7.2fx  %s\n", what, t.wall * 1e3,
                    bytes / t.wall / 1e9, t.cpu * 1e3, t.wall / wc.wall, note.c_str());
    };
    row("wc -l (a process)", wc, "");
    row("read() only", timeRuns(s.runs, [&] { readFile(s, buffer, [](const char*, std::size_t) {}); }), "");
    Timing count = timeRuns(s.runs, [&] {
        lfs = 0;
        readFile(s, buffer, [&](const char* p, std::size_t n) { lfs += countLf(p, n); });
    });
    row("read() + count LF", count, std::to_string(lfs) + " LF");
    for (Kernel kernel : {Kernel::Avx2, Kernel::Sse2, Kernel::Scalar}) {
        if (!corvel::runsInstructionSet(kernel) || (kernel == Kernel::Scalar && !s.scalar))
            continue;
        for (bool copying : {false, true}) {
            Counts c;
            Timing t = timeRuns(s.runs, [&] { c = classifyFile(s, buffer, kernel, copying); });
            std::string name = std::string("read() + classify ") + corvel::instructionSetName(kernel)
                               + (copying ? " copying" : "");
            row(name.c_str(), t,
                std::to_string(c.lines) + " lines, " + std::to_string(c.reported) + " reported");
        }
    }
    for (Kernel kernel : {Kernel::Avx2, Kernel::Sse2, Kernel::Scalar}) {
        if (!corvel::runsInstructionSet(kernel) || (kernel == Kernel::Scalar && !s.scalar))
            continue;
        for (bool copying : {false, true}) {
            double perByte = inCache(s, buffer, kernel, copying);
            std::printf("classify %s%s in cache: %.1f GB/s, %.2f ms for the file\n",
                        corvel::instructionSetName(kernel), copying ? " copying" : "", 1e-9 / perByte,
                        perByte * bytes * 1e3);
        }
    }
    return 0;
}
