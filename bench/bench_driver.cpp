// The observer: starts notice.exe and the floor program (floor.cpp) as
// separate processes in the same Wine prefix, alternately, and prints the
// benchmark figures, each as one line, notice / floor:
//
//   start-up to visible     CreateProcessA to the 520 x 670 ownerless window
//                           being visible, polled every millisecond
//   peak working set,       GetProcessMemoryInfo on the process's handle,
//   private bytes           read after settling and after the idle time
//   idle CPU                CPU time (all threads) used over the idle time
//                           while shown, after settling (see CpuClock)
//   idle CPU against a      the same, with the floor keeping a one-second
//   ticking floor           timer as notice does (floor.exe --tick)
//   idle CPU without a      the same, with notice given no display time
//   display time            (存在时间=0: no timer), against the plain floor
//   idle messages           messages taken off the queue and messages sent,
//                           per second while idle, counted by the hook DLL
//   first paint, N body     CreateProcessA to the end of the body label's
//                           first WM_PAINT (timed by the hook DLL inside
//                           notice); the floor has no text, its picture is
//                           complete when it is visible
//
//   bench_driver --notice EXE --floor EXE --hook DLL --work DIR
//                [--runs N] [--warmup N] [--settle-ms MS] [--idle-seconds S]
//                [--message-runs N] [--paint-runs N] [--bodies SIZE,...]
//
// SIZE is bytes with an optional K or M (1024-based). Every notice run gets
// a program folder under DIR with a copy of notice.exe, a config.ini (long
// display time, the body label's rectangle) and a notice.txt. Both programs
// are closed with WM_CLOSE to their window and must end with exit code 0.
// Progress goes to standard error, figures to standard output.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "clock.h"
#include "figures.h"
#include "hook_block.h"
#include "toolkit/unique_handles.h"

namespace {

using bench::Milliseconds;
using bench::Ticks;
using UniqueHandle = toolkit::UniqueResource<HANDLE, toolkit::CloseKernelHandle>;
struct Unhook {
    void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
};
using UniqueHook = toolkit::UniqueResource<HHOOK, Unhook>;
struct FreeModule {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using UniqueModule = toolkit::UniqueResource<HMODULE, FreeModule>;

// What both programs show first: the scroll picture.
constexpr LONG PictureWidth = 520;
constexpr LONG PictureHeight = 670;
// The body label's rectangle in the content window, as the benchmark's
// config.ini sets it.
constexpr RECT BodyLabel{52, 184, 52 + 416, 184 + 390};
constexpr DWORD ShowTimeoutMs = 60000;
constexpr DWORD PaintTimeoutMs = 600000;
constexpr DWORD EndTimeoutMs = 30000;
constexpr double BytesPerMegabyte = 1024.0 * 1024.0;
// Makes the floor program keep a one-second timer (floor.cpp).
constexpr char FloorTimerArgument[] = "--tick";

[[noreturn]] void Fail(const std::string& why) { throw std::runtime_error(why); }

struct Options {
    std::string Notice;
    std::string Floor;
    std::string Hook;
    std::string Work;
    int Runs = 15;
    int Warmup = 1;
    int SettleMs = 1000;
    int IdleSeconds = 5;
    int MessageRuns = 5;
    int PaintRuns = 5;
    std::vector<std::size_t> Bodies{100 * 1024, 1024 * 1024, 10 * 1024 * 1024};
};

// ---- files -------------------------------------------------------------------

std::string FullPath(const std::string& path, const char* what, bool mustExist) {
    char full[MAX_PATH * 4];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof(full), full, nullptr);
    if (length == 0 || length >= sizeof(full)) Fail(std::string("cannot make a full path of the ") + what + " " + path);
    if (mustExist && GetFileAttributesA(full) == INVALID_FILE_ATTRIBUTES) {
        Fail(std::string("no ") + what + " at " + full);
    }
    return full;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    const toolkit::UniqueFile file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file || !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size()) {
        Fail("cannot write " + path);
    }
}

// A body text of `size` bytes: a GBK paragraph, with CRLF line ends,
// repeated and cut after the last whole line, then padded with spaces.
std::string BodyText(std::size_t size) {
    const std::string paragraph =
        "各位同事：本周六（12 月 13 日）上午 9:00 至 12:00 进行网络设备升级，期间公司内网、邮件和打印服务将"
        "暂停使用。请提前保存好工作文件，下班前关闭电脑。如有问题请拨打电话 8001。\r\n";
    std::string text;
    text.reserve(size + paragraph.size());
    while (text.size() + paragraph.size() <= size) text += paragraph;
    text.append(size - text.size(), ' ');
    return text;
}

// Long enough for every measurement: the observer closes notice.
constexpr int LongDisplaySeconds = 600;

// A folder with a copy of notice.exe, the benchmark's config.ini and a body
// of `bodySize` bytes; gives the program's path.
std::string NoticeFolder(const Options& options, const std::string& name, std::size_t bodySize,
                         int displaySeconds = LongDisplaySeconds) {
    const std::string folder = options.Work + "\\" + name;
    CreateDirectoryA(options.Work.c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string exe = folder + "\\notice.exe";
    if (!CopyFileA(options.Notice.c_str(), exe.c_str(), FALSE)) Fail("cannot copy notice.exe to " + folder);
    const std::string config = "[主配置]\r\n存在时间=" + std::to_string(displaySeconds) +
                               "\r\n[正文矩形]\r\n左边=" + std::to_string(BodyLabel.left) +
                               "\r\n顶边=" + std::to_string(BodyLabel.top) +
                               "\r\n宽度=" + std::to_string(BodyLabel.right - BodyLabel.left) +
                               "\r\n高度=" + std::to_string(BodyLabel.bottom - BodyLabel.top) + "\r\n";
    WriteBytes(folder + "\\config.ini", config);
    WriteBytes(folder + "\\notice.txt", BodyText(bodySize));
    return exe;
}

// ---- the measured process ------------------------------------------------------

// A program to start, with its command-line arguments.
struct Program {
    std::string Exe;
    std::string Arguments;
};

bool operator==(const Program& a, const Program& b) { return a.Exe == b.Exe && a.Arguments == b.Arguments; }

std::string Name(const std::string& exe) { return exe.substr(exe.find_last_of('\\') + 1); }

// A started program; ended by force if it is still running when this goes.
class Child {
public:
    explicit Child(const Program& program) : exe_(program.Exe) {
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION created{};
        std::string commandLine = "\"" + exe_ + "\"";
        if (!program.Arguments.empty()) commandLine += " " + program.Arguments;
        const std::string folder = exe_.substr(0, exe_.find_last_of('\\'));
        Start = Ticks();
        if (!CreateProcessA(exe_.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                            &startup, &created)) {
            Fail("cannot start " + exe_ + " (error " + std::to_string(GetLastError()) + ")");
        }
        process_.reset(created.hProcess);
        UniqueHandle thread(created.hThread);
        ProcessId = created.dwProcessId;
        ThreadId = created.dwThreadId;
    }
    ~Child() {
        if (Running()) {
            TerminateProcess(process_.get(), 1);
            WaitForSingleObject(process_.get(), EndTimeoutMs);
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    HANDLE Process() const { return process_.get(); }
    bool Running() const { return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }
    std::string What() const { return Name(exe_); }
    const std::string& Exe() const { return exe_; }
    DWORD ExitCode() const {
        DWORD code = 0;
        GetExitCodeProcess(process_.get(), &code);
        return code;
    }

    LONGLONG Start = 0;
    DWORD ProcessId = 0;
    DWORD ThreadId = 0;

private:
    std::string exe_;
    UniqueHandle process_;
};

struct PictureSearch {
    DWORD ProcessId;
    HWND Found;
};

BOOL CALLBACK MatchShownPicture(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<PictureSearch*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search->ProcessId || !IsWindowVisible(window) || GetWindow(window, GW_OWNER)) return TRUE;
    RECT rect;
    GetWindowRect(window, &rect);
    if (rect.right - rect.left != PictureWidth || rect.bottom - rect.top != PictureHeight) return TRUE;
    search->Found = window;
    return FALSE;
}

// Polls every millisecond for the program's visible, ownerless 520 x 670
// window; `each` runs at every poll (the hooks are set from there).
template <typename Each>
HWND WaitUntilShown(const Child& child, LONGLONG* shownAt, Each each) {
    const DWORD started = GetTickCount();
    for (;;) {
        each();
        PictureSearch search{child.ProcessId, nullptr};
        EnumWindows(MatchShownPicture, reinterpret_cast<LPARAM>(&search));
        if (search.Found) {
            *shownAt = Ticks();
            return search.Found;
        }
        if (!child.Running()) {
            Fail(child.What() + " ended with exit code " + std::to_string(child.ExitCode()) +
                 " before its 520 x 670 window was visible");
        }
        if (GetTickCount() - started > ShowTimeoutMs) {
            Fail(child.What() + ": no visible 520 x 670 window after " + std::to_string(ShowTimeoutMs / 1000) + " s");
        }
        Sleep(1);
    }
}

HWND WaitUntilShown(const Child& child, LONGLONG* shownAt) {
    return WaitUntilShown(child, shownAt, [] {});
}

void CloseAndWait(const Child& child, HWND window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(child.Process(), EndTimeoutMs) != WAIT_OBJECT_0) {
        Fail(child.What() + " did not end within " + std::to_string(EndTimeoutMs / 1000) + " s of WM_CLOSE");
    }
    if (child.ExitCode() != 0) {
        Fail(child.What() + " ended with exit code " + std::to_string(child.ExitCode()) + " after WM_CLOSE");
    }
}

// ---- CPU time of another process --------------------------------------------------
//
// Wine's GetProcessTimes gives the caller's own times whatever process it is
// asked about, and its thread times count whole 10 ms clock ticks, charged
// to whoever runs when the tick falls: a thread that wakes once a second on
// a timer is charged a full tick now and then. Linux itself keeps each
// thread's run time in nanoseconds (/proc/PID/task/TID/schedstat, first
// field), which Wine shows on drive Z:. The Linux process of a Windows
// process started by CreateProcessA is the one whose command line Wine has
// set to the program's Windows path.

std::string ReadSmallFile(const std::string& path) {
    const toolkit::UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    char buffer[4096];
    DWORD got = 0;
    if (!file || !ReadFile(file.get(), buffer, sizeof(buffer), &got, nullptr)) return std::string();
    return std::string(buffer, got);
}

template <typename Each>
void ForEachEntry(const std::string& folder, Each each) {
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (entry.cFileName[0] >= '0' && entry.cFileName[0] <= '9') each(std::string(entry.cFileName));
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

// The Linux process id running `exe` (a full Windows path), or empty.
std::string LinuxProcessOf(const std::string& exe) {
    std::string found;
    ForEachEntry("Z:\\proc", [&](const std::string& pid) {
        const std::string commandLine = ReadSmallFile("Z:\\proc\\" + pid + "\\cmdline");
        if (found.empty() && _stricmp(commandLine.c_str(), exe.c_str()) == 0) found = pid;
    });
    return found;
}

// Milliseconds that the Linux process's threads have run so far.
double LinuxRunTimeMs(const std::string& pid) {
    double total = 0;
    int threads = 0;
    ForEachEntry("Z:\\proc\\" + pid + "\\task", [&](const std::string& thread) {
        const std::string stats = ReadSmallFile("Z:\\proc\\" + pid + "\\task\\" + thread + "\\schedstat");
        if (stats.empty()) return;
        total += std::strtod(stats.c_str(), nullptr) / 1e6;
        ++threads;
    });
    if (threads == 0) Fail("no thread run times in /proc/" + pid + "/task");
    return total;
}

// Reads a process's CPU time (ms), through Linux under Wine; elsewhere
// (Windows itself) GetProcessTimes is right.
class CpuClock {
public:
    explicit CpuClock(const Child& child) : child_(child), linuxPid_(LinuxProcessOf(child.Exe())) {
        if (linuxPid_.empty() && GetFileAttributesA("Z:\\proc\\self") != INVALID_FILE_ATTRIBUTES) {
            Fail("cannot find the Linux process of " + child.Exe() + " in /proc");
        }
    }
    double Now() const {
        if (!linuxPid_.empty()) return LinuxRunTimeMs(linuxPid_);
        FILETIME created, ended, kernel, user;
        if (!GetProcessTimes(child_.Process(), &created, &ended, &kernel, &user)) Fail("GetProcessTimes failed");
        return Milliseconds(kernel) + Milliseconds(user);
    }

private:
    static double Milliseconds(const FILETIME& time) {
        return static_cast<double>((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 1e4;
    }
    const Child& child_;
    std::string linuxPid_;
};

PROCESS_MEMORY_COUNTERS_EX MemoryOf(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters))) {
        Fail("GetProcessMemoryInfo failed (error " + std::to_string(GetLastError()) + ")");
    }
    return counters;
}

// The hook DLL's two hooks on the program's user-interface thread, and the
// block in which it reports. Set while the program starts: a thread gets
// its message queue, which the hooks need, with its first window.
class Hooks {
public:
    Hooks(HMODULE dll, const Child& child, const RECT& label) : dll_(dll), threadId_(child.ThreadId) {
        mapping_.reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(bench::HookBlock),
                                          bench::HookBlockName(child.ProcessId).c_str()));
        if (!mapping_) Fail("cannot create the hook block for " + child.What());
        view_.reset(static_cast<bench::HookBlock*>(
            MapViewOfFile(mapping_.get(), FILE_MAP_WRITE, 0, 0, sizeof(bench::HookBlock))));
        if (!view_) Fail("cannot map the hook block for " + child.What());
        *view_.get() = bench::HookBlock{};
        view_.get()->LabelLeft = label.left;
        view_.get()->LabelTop = label.top;
        view_.get()->LabelWidth = label.right - label.left;
        view_.get()->LabelHeight = label.bottom - label.top;
    }

    // Tries to set the hooks until they are set; true once they are.
    bool TrySet() {
        if (!getMessage_) getMessage_.reset(SetWindowsHookExA(WH_GETMESSAGE, Procedure("BenchGetMessageHook"), dll_, threadId_));
        if (!callWindow_) callWindow_.reset(SetWindowsHookExA(WH_CALLWNDPROC, Procedure("BenchCallWindowHook"), dll_, threadId_));
        return getMessage_ && callWindow_;
    }

    const bench::HookBlock& Block() const { return *view_.get(); }

private:
    HOOKPROC Procedure(const char* name) const {
        const auto procedure = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(dll_, name)));
        if (!procedure) Fail(std::string("the hook DLL has no ") + name);
        return procedure;
    }

    HMODULE dll_;
    DWORD threadId_;
    UniqueHandle mapping_;
    bench::UniqueHookBlockView view_;
    UniqueHook getMessage_;
    UniqueHook callWindow_;
};

// ---- one run of each kind ---------------------------------------------------------

struct ShownRun {
    double VisibleMs = 0;
    double IdleCpuMs = 0;
    PROCESS_MEMORY_COUNTERS_EX Shown{};  // after settling
    PROCESS_MEMORY_COUNTERS_EX Idle{};   // after the idle time
};

// Start-up, memory and idle CPU, with nothing of the benchmark's inside the
// program.
ShownRun MeasureShown(const Program& program, const Options& options) {
    ShownRun run;
    const Child child(program);
    LONGLONG shownAt = 0;
    const HWND window = WaitUntilShown(child, &shownAt);
    run.VisibleMs = Milliseconds(shownAt - child.Start);
    Sleep(static_cast<DWORD>(options.SettleMs));
    run.Shown = MemoryOf(child.Process());
    const CpuClock cpu(child);
    const double before = cpu.Now();
    Sleep(static_cast<DWORD>(options.IdleSeconds) * 1000);
    run.IdleCpuMs = cpu.Now() - before;
    run.Idle = MemoryOf(child.Process());
    if (!child.Running()) Fail(child.What() + " ended by itself while it was measured");
    CloseAndWait(child, window);
    return run;
}

struct MessageRun {
    double RetrievedPerSecond = 0;
    double SentPerSecond = 0;
};

MessageRun MeasureMessages(const Program& program, HMODULE hookDll, const Options& options) {
    std::unique_ptr<Hooks> hooks;  // outlives the child: its DLL is in there
    const Child child(program);
    hooks = std::make_unique<Hooks>(hookDll, child, RECT{});
    LONGLONG shownAt = 0;
    const HWND window = WaitUntilShown(child, &shownAt, [&] { hooks->TrySet(); });
    if (!hooks->TrySet()) Fail("cannot set the hooks on " + child.What());
    Sleep(static_cast<DWORD>(options.SettleMs));
    const LONG retrieved = hooks->Block().Retrieved;
    const LONG sent = hooks->Block().Sent;
    Sleep(static_cast<DWORD>(options.IdleSeconds) * 1000);
    MessageRun run;
    run.RetrievedPerSecond = static_cast<double>(hooks->Block().Retrieved - retrieved) / options.IdleSeconds;
    run.SentPerSecond = static_cast<double>(hooks->Block().Sent - sent) / options.IdleSeconds;
    if (hooks->Block().Retrieved == 0) Fail("the hook DLL counted no message in " + child.What());
    CloseAndWait(child, window);
    return run;
}

struct PaintRun {
    double FirstPaintMs = 0;
    double PaintMs = 0;
};

PaintRun MeasureFirstPaint(const Program& program, HMODULE hookDll) {
    std::unique_ptr<Hooks> hooks;
    const Child child(program);
    hooks = std::make_unique<Hooks>(hookDll, child, BodyLabel);
    bool setBeforeShown = false;
    LONGLONG shownAt = 0;
    const HWND window = WaitUntilShown(child, &shownAt, [&] { setBeforeShown = hooks->TrySet(); });
    if (!setBeforeShown) Fail("the hooks were not set on " + child.What() + " before its window was visible");
    const bench::HookBlock& block = hooks->Block();
    const DWORD started = GetTickCount();
    while (block.FirstPaintEnd == 0) {
        if (!child.Running()) Fail(child.What() + " ended before its body label was painted");
        if (GetTickCount() - started > PaintTimeoutMs) {
            Fail(child.What() + ": the body label's first WM_PAINT " +
                 (block.FirstPaintStart ? "did not end" : "was not seen") + " within " +
                 std::to_string(PaintTimeoutMs / 1000) + " s of its window being visible");
        }
        Sleep(1);
    }
    if (block.SentPaintsBefore) {
        Fail(child.What() + ": the body label was sent a WM_PAINT before its first queued one, which went untimed");
    }
    PaintRun run;
    run.FirstPaintMs = Milliseconds(block.FirstPaintEnd - child.Start);
    run.PaintMs = Milliseconds(block.FirstPaintEnd - block.FirstPaintStart);
    CloseAndWait(child, window);
    return run;
}

double TimeToVisible(const Program& program) {
    const Child child(program);
    LONGLONG shownAt = 0;
    const HWND window = WaitUntilShown(child, &shownAt);
    CloseAndWait(child, window);
    return Milliseconds(shownAt - child.Start);
}

// ---- the whole benchmark ---------------------------------------------------------------

void Progress(const std::string& text) {
    std::fprintf(stderr, "bench: %s\n", text.c_str());
    std::fflush(stderr);
}

std::string SizeName(std::size_t bytes) {
    if (bytes >= 1024 * 1024 && bytes % (1024 * 1024) == 0) return std::to_string(bytes / (1024 * 1024)) + " MB";
    if (bytes >= 1024 && bytes % 1024 == 0) return std::to_string(bytes / 1024) + " KB";
    return std::to_string(bytes) + " bytes";
}

// Runs `measure(program)` for notice and the floor `runs` times each,
// alternating which goes first, after `warmup` unrecorded pairs.
template <typename Result, typename Measure>
void Alternate(int warmup, int runs, const Program& notice, const Program& floor, const std::string& what,
               std::vector<Result>* noticeResults, std::vector<Result>* floorResults, Measure measure) {
    for (int i = -warmup; i < runs; ++i) {
        Progress(what + (i < 0 ? " (warm-up)" : ", run " + std::to_string(i + 1) + " of " + std::to_string(runs)));
        const bool noticeFirst = (i + warmup) % 2 == 0;
        const Result first = measure(noticeFirst ? notice : floor);
        const Result second = measure(noticeFirst ? floor : notice);
        if (i < 0) continue;
        noticeResults->push_back(noticeFirst ? first : second);
        floorResults->push_back(noticeFirst ? second : first);
    }
}

template <typename Run>
bench::Spread SpreadOf(const std::vector<Run>& runs, double (*field)(const Run&)) {
    std::vector<double> values;
    for (const Run& run : runs) values.push_back(field(run));
    return bench::SpreadOf(values);
}

void Print(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

void Figure(const std::string& name, const std::string& unit, const bench::Spread& notice,
            const bench::Spread& floor, int decimals) {
    Print(bench::FigureLine(name, unit, notice, floor, decimals));
}

// Which memory counters the system filled in, so that a 0 in the figures
// can be told from a counter it does not keep.
void PrintCountersKept(const PROCESS_MEMORY_COUNTERS_EX& c) {
    struct Counter {
        const char* Name;
        SIZE_T Value;
    };
    const Counter counters[] = {
        {"PeakWorkingSetSize", c.PeakWorkingSetSize}, {"WorkingSetSize", c.WorkingSetSize},
        {"QuotaPeakPagedPoolUsage", c.QuotaPeakPagedPoolUsage}, {"QuotaPagedPoolUsage", c.QuotaPagedPoolUsage},
        {"QuotaPeakNonPagedPoolUsage", c.QuotaPeakNonPagedPoolUsage},
        {"QuotaNonPagedPoolUsage", c.QuotaNonPagedPoolUsage}, {"PagefileUsage", c.PagefileUsage},
        {"PeakPagefileUsage", c.PeakPagefileUsage}, {"PrivateUsage", c.PrivateUsage},
    };
    std::string kept;
    std::string zero;
    for (const Counter& counter : counters) {
        std::string& list = counter.Value ? kept : zero;
        list += list.empty() ? "" : " ";
        list += counter.Name;
    }
    Print("# memory counters filled in: " + kept + "; reported as 0: " + (zero.empty() ? "none" : zero));
}

// Whether the system keeps a real peak of the private bytes, or copies the
// current value into it (as Wine does).
void PrintPrivatePeakKept(const std::vector<ShownRun>& runs) {
    bool copied = true;
    for (const ShownRun& run : runs) {
        copied &= run.Shown.PeakPagefileUsage == run.Shown.PagefileUsage &&
                  run.Idle.PeakPagefileUsage == run.Idle.PagefileUsage;
    }
    Print(std::string("# PeakPagefileUsage ") +
          (copied ? "equals PagefileUsage in every reading: no peak of the private bytes is kept"
                  : "differs from PagefileUsage: a peak of the private bytes is kept"));
}

double Megabytes(SIZE_T bytes) { return static_cast<double>(bytes) / BytesPerMegabyte; }
double PeakWorkingSet(const ShownRun& r) {
    return Megabytes(std::max(r.Shown.PeakWorkingSetSize, r.Idle.PeakWorkingSetSize));
}
// PagefileUsage, not PrivateUsage: Wine fills in only the former.
double PrivateBytes(const ShownRun& r) { return Megabytes(std::max(r.Shown.PagefileUsage, r.Idle.PagefileUsage)); }

void RunBenchmark(const Options& options) {
    const Program sample{NoticeFolder(options, "notice-sample", 401), ""};
    const Program floor{options.Floor, ""};

    std::vector<ShownRun> noticeShown;
    std::vector<ShownRun> floorShown;
    Alternate(options.Warmup, options.Runs, sample, floor, "start-up, memory and idle CPU", &noticeShown, &floorShown,
              [&](const Program& program) { return MeasureShown(program, options); });

    // notice keeps a one-second timer (the display countdown) even when the
    // display time is long; so does this floor, to tell the timer's own cost
    // from anything else notice might do while idle.
    const Program tickingFloor{options.Floor, FloorTimerArgument};
    std::vector<ShownRun> noticeAgainstTicking;
    std::vector<ShownRun> tickingShown;
    Alternate(0, options.MessageRuns, sample, tickingFloor, "idle CPU against a floor with a one-second timer",
              &noticeAgainstTicking, &tickingShown,
              [&](const Program& program) { return MeasureShown(program, options); });

    // With no display time notice keeps no timer at all: what is left is
    // all it does while idle.
    const Program untimed{NoticeFolder(options, "notice-untimed", 401, 0), ""};
    std::vector<ShownRun> untimedShown;
    std::vector<ShownRun> floorAgainstUntimed;
    Alternate(0, options.MessageRuns, untimed, floor, "idle CPU with no display time", &untimedShown,
              &floorAgainstUntimed, [&](const Program& program) { return MeasureShown(program, options); });

    const UniqueModule hookDll(LoadLibraryA(options.Hook.c_str()));
    if (!hookDll) Fail("cannot load the hook DLL " + options.Hook);
    std::vector<MessageRun> noticeMessages;
    std::vector<MessageRun> floorMessages;
    Alternate(0, options.MessageRuns, sample, floor, "messages while idle", &noticeMessages, &floorMessages,
              [&](const Program& program) { return MeasureMessages(program, hookDll.get(), options); });

    struct BodyFigures {
        std::size_t Size;
        std::vector<PaintRun> Notice;
        std::vector<PaintRun> Floor;
    };
    std::vector<BodyFigures> bodies;
    for (std::size_t size : options.Bodies) {
        BodyFigures figures{size, {}, {}};
        const Program notice{NoticeFolder(options, "notice-body-" + std::to_string(size), size), ""};
        Alternate(0, options.PaintRuns, notice, floor, "first paint, " + SizeName(size) + " body", &figures.Notice,
                  &figures.Floor, [&](const Program& program) {
                      // The floor has no text: its picture is whole when it is visible.
                      return program == floor ? PaintRun{TimeToVisible(floor), 0}
                                              : MeasureFirstPaint(program, hookDll.get());
                  });
        bodies.push_back(figures);
    }

    PrintCountersKept(noticeShown.front().Shown);
    PrintPrivatePeakKept(noticeShown);
    const int idle = options.IdleSeconds;
    Figure("start-up to visible", "ms",
           SpreadOf<ShownRun>(noticeShown, [](const ShownRun& r) { return r.VisibleMs; }),
           SpreadOf<ShownRun>(floorShown, [](const ShownRun& r) { return r.VisibleMs; }), 1);
    Figure("peak working set", "MB", SpreadOf<ShownRun>(noticeShown, PeakWorkingSet),
           SpreadOf<ShownRun>(floorShown, PeakWorkingSet), 2);
    Figure("private bytes", "MB", SpreadOf<ShownRun>(noticeShown, PrivateBytes),
           SpreadOf<ShownRun>(floorShown, PrivateBytes), 2);
    Figure("idle CPU over " + std::to_string(idle) + " s", "ms",
           SpreadOf<ShownRun>(noticeShown, [](const ShownRun& r) { return r.IdleCpuMs; }),
           SpreadOf<ShownRun>(floorShown, [](const ShownRun& r) { return r.IdleCpuMs; }), 2);
    Figure("idle CPU over " + std::to_string(idle) + " s, floor with a one-second timer", "ms",
           SpreadOf<ShownRun>(noticeAgainstTicking, [](const ShownRun& r) { return r.IdleCpuMs; }),
           SpreadOf<ShownRun>(tickingShown, [](const ShownRun& r) { return r.IdleCpuMs; }), 2);
    Figure("idle CPU over " + std::to_string(idle) + " s, notice with no display time", "ms",
           SpreadOf<ShownRun>(untimedShown, [](const ShownRun& r) { return r.IdleCpuMs; }),
           SpreadOf<ShownRun>(floorAgainstUntimed, [](const ShownRun& r) { return r.IdleCpuMs; }), 2);
    Figure("idle messages taken off the queue", "/s",
           SpreadOf<MessageRun>(noticeMessages, [](const MessageRun& r) { return r.RetrievedPerSecond; }),
           SpreadOf<MessageRun>(floorMessages, [](const MessageRun& r) { return r.RetrievedPerSecond; }), 1);
    Figure("idle messages sent", "/s",
           SpreadOf<MessageRun>(noticeMessages, [](const MessageRun& r) { return r.SentPerSecond; }),
           SpreadOf<MessageRun>(floorMessages, [](const MessageRun& r) { return r.SentPerSecond; }), 1);
    for (const BodyFigures& body : bodies) {
        Figure("first paint, " + SizeName(body.Size) + " body", "ms",
               SpreadOf<PaintRun>(body.Notice, [](const PaintRun& r) { return r.FirstPaintMs; }),
               SpreadOf<PaintRun>(body.Floor, [](const PaintRun& r) { return r.FirstPaintMs; }), 1);
        Print("# of which notice's body label WM_PAINT itself, " + SizeName(body.Size) +
              " body [min p25 median p75 max]: " +
              bench::QuartileText(SpreadOf<PaintRun>(body.Notice, [](const PaintRun& r) { return r.PaintMs; }), 1) +
              " ms");
    }
}

// ---- command line ---------------------------------------------------------------------

std::size_t ParseSize(const std::string& text) {
    char* end = nullptr;
    const unsigned long long number = std::strtoull(text.c_str(), &end, 10);
    std::string unit(end);
    std::size_t scale = 1;
    if (unit == "K" || unit == "k") scale = 1024;
    else if (unit == "M" || unit == "m") scale = 1024 * 1024;
    else if (!unit.empty()) Fail("a body size is bytes with an optional K or M, not '" + text + "'");
    if (end == text.c_str() || number == 0) Fail("a body size must be a positive number, not '" + text + "'");
    return static_cast<std::size_t>(number) * scale;
}

int ParseCount(const std::string& option, const std::string& text, int lowest) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || *end || value < lowest || value > 100000) {
        Fail(option + " needs a whole number of at least " + std::to_string(lowest) + ", not '" + text + "'");
    }
    return static_cast<int>(value);
}

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc) Fail(option + " needs a value");
        const std::string value = argv[++i];
        if (option == "--notice") options.Notice = FullPath(value, "notice.exe", true);
        else if (option == "--floor") options.Floor = FullPath(value, "floor program", true);
        else if (option == "--hook") options.Hook = FullPath(value, "hook DLL", true);
        else if (option == "--work") options.Work = FullPath(value, "work folder", false);
        else if (option == "--runs") options.Runs = ParseCount(option, value, 1);
        else if (option == "--warmup") options.Warmup = ParseCount(option, value, 0);
        else if (option == "--settle-ms") options.SettleMs = ParseCount(option, value, 0);
        else if (option == "--idle-seconds") options.IdleSeconds = ParseCount(option, value, 1);
        else if (option == "--message-runs") options.MessageRuns = ParseCount(option, value, 1);
        else if (option == "--paint-runs") options.PaintRuns = ParseCount(option, value, 1);
        else if (option == "--bodies") {
            options.Bodies.clear();
            std::size_t start = 0;
            for (;;) {
                const std::size_t comma = value.find(',', start);
                options.Bodies.push_back(ParseSize(value.substr(start, comma - start)));
                if (comma == std::string::npos) break;
                start = comma + 1;
            }
        } else {
            Fail("unknown option " + option);
        }
    }
    if (options.Notice.empty() || options.Floor.empty() || options.Hook.empty() || options.Work.empty()) {
        Fail("usage: bench_driver --notice EXE --floor EXE --hook DLL --work DIR [--runs N] [--warmup N] "
             "[--settle-ms MS] [--idle-seconds S] [--message-runs N] [--paint-runs N] [--bodies SIZE,...]");
    }
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        RunBenchmark(ParseOptions(argc, argv));
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_driver: %s\n", error.what());
        return 1;
    }
}
