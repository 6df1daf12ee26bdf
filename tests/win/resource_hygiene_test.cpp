// The announcement shown and closed fifty times in one process, through the
// program's own definitions and handlers, leaves nothing behind: GDI and
// USER objects, kernel handles and memory come back to where they were.
// It runs in a copy of this test program in a folder of its own, beside a
// config.ini that shows the link and the gradient frames, and a notice.txt.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/program_values.h"
#include "backdrop/layered_image_painter.h"
#include "child_process.h"
#include "content/closing.h"
#include "forms/forms.h"
#include "resource_counts.h"
#include "toolkit/message_loop.h"
#include "toolkit/toolkit.h"

namespace {

using testsupport::ResourceCounts;

// --- child side -----------------------------------------------------------

// Every way the announcement ends, taken in turn.
enum class Closing { Button, DisplayTime, CloseRequest, Escape, Count };

void Close(Closing how) {
    switch (how) {
    case Closing::Button: OnCloseClicked(); break;
    case Closing::DisplayTime:
        ElapsedSeconds = DisplaySeconds - 1;
        OnAutoCloseTick();
        break;
    case Closing::CloseRequest: toolkit::SendWindowMessage(ContentWindow, WM_CLOSE, 0, 0); break;
    case Closing::Escape: {
        MSG key{};
        key.hwnd = toolkit::WindowHandle(ContentWindow);
        key.message = WM_KEYDOWN;
        key.wParam = VK_ESCAPE;
        key.lParam = 1;
        toolkit::PreDispatch(key);
        break;
    }
    case Closing::Count: break;
    }
    toolkit::ProcessPendingMessages();
}

// Loads the backdrop (which loads the content window), paints everything
// and closes it again. False when something of it is still there.
bool ShowAndClose(Closing how) {
    toolkit::LoadWindow(BackdropWindow);
    RedrawWindow(toolkit::WindowHandle(ContentWindow), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    toolkit::ProcessPendingMessages();
    Close(how);
    return !toolkit::IsLoaded(BackdropWindow) && !toolkit::IsLoaded(ContentWindow);
}

void Print(const char* name, const ResourceCounts& counts) {
    std::printf("%s %d %d %d %d %llu\n", name, counts.GdiObjects, counts.Windows, counts.IconsAndCursors,
                counts.KernelHandles, static_cast<unsigned long long>(counts.CommittedBytes));
}

int RunCycles(int cycles) {
    Painter = new LayeredImagePainter();
    DisplaySeconds = 1;
    BackdropAlpha = 220;
    constexpr int Closings = static_cast<int>(Closing::Count);
    // The first rounds fill Wine's and GDI+'s caches (classes, fonts, codecs).
    for (int i = 0; i < Closings; ++i) {
        if (!ShowAndClose(static_cast<Closing>(i))) return 3;
    }
    Print("before", testsupport::CountResources());
    for (int i = 0; i < cycles; ++i) {
        if (!ShowAndClose(static_cast<Closing>(i % Closings))) return 3;
    }
    Print("after", testsupport::CountResources());
    delete Painter;
    return 0;
}

// --- parent side ----------------------------------------------------------

// GBK, as administrators write it.
const char Settings[] =
    "[主配置]\r\n存在时间=1\r\n显示链接=是\r\n"
    "[标题矩形]\r\n边框类型=6\r\n[正文矩形]\r\n边框类型=4\r\n[链接矩形]\r\n边框类型=6\r\n"
    "[标题字体]\r\n加粗=是\r\n[正文字体]\r\n下划线=是\r\n颜色=红色\r\n";

std::string BodyText() {
    std::string text;
    for (int i = 0; i < 200; ++i) text += "通知正文 body text &line\r\n";
    return text;
}

bool Parse(const std::string& output, const char* name, ResourceCounts* counts) {
    const std::size_t at = output.find(std::string(name) + " ");
    unsigned long long committed = 0;
    if (at == std::string::npos ||
        std::sscanf(output.c_str() + at + std::strlen(name), "%d %d %d %d %llu", &counts->GdiObjects,
                    &counts->Windows, &counts->IconsAndCursors, &counts->KernelHandles, &committed) != 5) {
        return false;
    }
    counts->CommittedBytes = static_cast<SIZE_T>(committed);
    return true;
}

// One leaked backdrop picture per round would add 1.4 MB a round.
constexpr SIZE_T AllowedGrowth = 8 * 1024 * 1024;

TEST(ResourceHygiene, FiftyAnnouncementsInOneProcessLeaveNothingBehind) {
    const std::string folder = testsupport::MakeTemporaryFolder("-循环");
    const std::string program = folder + "\\cycles.exe";
    ASSERT_TRUE(CopyFileA(testsupport::OwnPath().c_str(), program.c_str(), FALSE));
    testsupport::WriteFile(folder + "\\config.ini", Settings);
    testsupport::WriteFile(folder + "\\notice.txt", BodyText());

    const testsupport::ChildResult result = testsupport::RunChild(program, {"--cycles", "50"});
    testsupport::RemoveFolder(folder);
    ASSERT_EQ(result.ExitCode, 0u) << result.Output;
    ResourceCounts before, after;
    ASSERT_TRUE(Parse(result.Output, "before", &before)) << result.Output;
    ASSERT_TRUE(Parse(result.Output, "after", &after)) << result.Output;

    EXPECT_EQ(after.GdiObjects, before.GdiObjects);
    EXPECT_EQ(after.Windows, before.Windows);
    EXPECT_EQ(after.IconsAndCursors, before.IconsAndCursors);
    EXPECT_EQ(after.KernelHandles, before.KernelHandles);
    EXPECT_LT(after.CommittedBytes, before.CommittedBytes + AllowedGrowth)
        << "grew by " << (after.CommittedBytes - before.CommittedBytes) / 1024 << " KB";
    std::printf("before: %s\nafter:  %s\n", before.Describe().c_str(), after.Describe().c_str());
}

// The counts themselves: each one grows by what is left behind, and comes
// back when it is released.
HWND CreatePlainWindow() {
    return CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandleA(nullptr),
                           nullptr);
}

TEST(ResourceCounts, SeeWhatIsLeftBehind) {
    // The thread's windows share an input-method window, which comes with
    // the first and goes with the last, and the system's icon stays loaded
    // once it is: both are there before counting.
    const HWND keeper = CreatePlainWindow();
    const HICON systemIcon = LoadIconA(nullptr, IDI_APPLICATION);

    const ResourceCounts before = testsupport::CountResources();
    HBRUSH brushes[3] = {CreateSolidBrush(1), CreateSolidBrush(2), CreateSolidBrush(3)};
    const HWND window = CreatePlainWindow();
    const HICON icon = CopyIcon(systemIcon);
    const HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    void* block = VirtualAlloc(nullptr, 16 * 1024 * 1024, MEM_COMMIT, PAGE_READWRITE);
    std::memset(block, 1, 16 * 1024 * 1024);  // committed pages count once they are touched

    const ResourceCounts held = testsupport::CountResources();
    EXPECT_GE(held.GdiObjects, before.GdiObjects + 3);
    EXPECT_EQ(held.Windows, before.Windows + 1);
    EXPECT_EQ(held.IconsAndCursors, before.IconsAndCursors + 1);
    EXPECT_EQ(held.KernelHandles, before.KernelHandles + 1);
    EXPECT_GE(held.CommittedBytes, before.CommittedBytes + 16 * 1024 * 1024);

    for (HBRUSH brush : brushes) DeleteObject(brush);
    DestroyWindow(window);
    DestroyIcon(icon);
    CloseHandle(event);
    VirtualFree(block, 0, MEM_RELEASE);
    const ResourceCounts after = testsupport::CountResources();
    EXPECT_EQ(after.GdiObjects, before.GdiObjects);
    EXPECT_EQ(after.Windows, before.Windows);
    EXPECT_EQ(after.IconsAndCursors, before.IconsAndCursors);
    EXPECT_EQ(after.KernelHandles, before.KernelHandles);
    DestroyWindow(keeper);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--cycles") return RunCycles(std::atoi(argv[2]));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
