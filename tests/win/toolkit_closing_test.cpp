// Closing windows: destruction requested by a handler, and close requests
// (WM_CLOSE, WM_QUERYENDSESSION) answered by the can-be-closed event.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/message_loop.h"
#include "toolkit/toolkit.h"
#include "toolkit_support.h"

namespace {

using toolkit::WindowDefinition;
using toolkitsupport::EventLog;
using toolkitsupport::Record;

// ---- destruction on request -------------------------------------------------------------

extern const WindowDefinition Requesting;

std::string Loaded() { return toolkit::IsLoaded(Requesting) ? "loaded" : "gone"; }

toolkit::ControlDefinition RequestingButton() {
    toolkit::ControlDefinition button = toolkitsupport::ButtonControl("button", RECT{0, 0, 20, 20});
    button.Events.Clicked = [] {
        for (int i = 0; i < 3; ++i) {
            toolkit::RequestDestroy(Requesting);
            Record("requested, " + Loaded());
        }
    };
    return button;
}

const toolkit::ControlDefinition RequestingControls[] = {RequestingButton()};

const WindowDefinition Requesting = [] {
    WindowDefinition window = toolkitsupport::TestWindow("Requesting");
    window.Controls = RequestingControls;
    window.ControlCount = 1;
    window.Events.CanClose = [] {
        Record("can close");
        return true;
    };
    return window;
}();

TEST(DeferredDestruction, RequestedThreeTimesDestroysAfterTheHandlerReturnedWithoutClose) {
    EventLog().clear();
    toolkitsupport::DestroyAtEnd cleanup({&Requesting});
    ASSERT_TRUE(toolkit::LoadWindow(Requesting));

    const HWND button = toolkit::ControlHandle(Requesting, "button");
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Record("handler returned, " + Loaded());
    toolkit::ProcessPendingMessages();
    Record("messages processed, " + Loaded());

    EXPECT_EQ(EventLog(), (std::vector<std::string>{"requested, loaded", "requested, loaded", "requested, loaded",
                                                    "handler returned, loaded", "messages processed, gone"}));
}

TEST(DeferredDestruction, RequestInCreatedLetsTheLoadFinishFirst) {
    static const WindowDefinition window = [] {
        WindowDefinition w = toolkitsupport::TestWindow("RequestInCreated");
        w.Events.Created = [] { toolkit::RequestDestroy(window); };
        w.Events.SizeChanged = [] { Record("size"); };
        return w;
    }();
    EventLog().clear();
    toolkitsupport::DestroyAtEnd cleanup({&window});
    EXPECT_TRUE(toolkit::LoadWindow(window));
    ASSERT_FALSE(EventLog().empty());
    EXPECT_EQ(EventLog().front(), "size");
    EXPECT_TRUE(IsWindowVisible(toolkit::WindowHandle(window)));
    toolkit::ProcessPendingMessages();
    EXPECT_FALSE(toolkit::IsLoaded(window));
}

TEST(DeferredDestruction, RequestForAWindowNotLoadedDoesNothing) {
    static const WindowDefinition window = toolkitsupport::TestWindow("NeverLoaded");
    toolkit::RequestDestroy(window);
    toolkit::ProcessPendingMessages();
    EXPECT_FALSE(toolkit::IsLoaded(window));
    EXPECT_EQ(toolkit::SendWindowMessage(window, WM_GETTEXTLENGTH, 0, 0), 0);
}

// ---- close requests ---------------------------------------------------------------------

// What the can-be-closed handler of Closable does this time.
bool Answer = true;
bool DestroysItself = false;

extern const WindowDefinition Closable;

const WindowDefinition Closable = [] {
    WindowDefinition window = toolkitsupport::TestWindow("Closable");
    window.Events.CanClose = [] {
        Record("can close");
        if (DestroysItself) DestroyWindow(toolkit::WindowHandle(Closable));
        return Answer;
    };
    return window;
}();

const WindowDefinition Unguarded = toolkitsupport::TestWindow("Unguarded");

struct CloseCase {
    const char* Name;
    const WindowDefinition* Window;
    bool Answer;
    bool DestroysItself;
    UINT Message;
    bool StaysLoaded;
    LRESULT Result;  // of the message
};

class CloseRequests : public ::testing::TestWithParam<CloseCase> {};

TEST_P(CloseRequests, AreAnsweredByTheCanBeClosedEvent) {
    const CloseCase& c = GetParam();
    EventLog().clear();
    Answer = c.Answer;
    DestroysItself = c.DestroysItself;
    toolkitsupport::DestroyAtEnd cleanup({c.Window});
    ASSERT_TRUE(toolkit::LoadWindow(*c.Window));
    const LRESULT result = toolkit::SendWindowMessage(*c.Window, c.Message, 0, 0);
    EXPECT_EQ(toolkit::IsLoaded(*c.Window), c.StaysLoaded);
    EXPECT_EQ(result, c.Result);
    EXPECT_EQ(EventLog(), c.Window == &Closable ? std::vector<std::string>{"can close"} : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    CloseRequest, CloseRequests,
    ::testing::Values(
        CloseCase{"NoHandlerCloses", &Unguarded, true, false, WM_CLOSE, false, 0},
        CloseCase{"TrueCloses", &Closable, true, false, WM_CLOSE, false, 0},
        CloseCase{"FalseKeepsTheWindow", &Closable, false, false, WM_CLOSE, true, 0},
        CloseCase{"HandlerDestroyedTheWindowAnsweringFalse", &Closable, false, true, WM_CLOSE, false, 0},
        CloseCase{"HandlerDestroyedTheWindowAnsweringTrue", &Closable, true, true, WM_CLOSE, false, 0},
        // Asking about the end of the session destroys nothing by itself.
        CloseCase{"EndSessionWithoutHandlerAgrees", &Unguarded, true, false, WM_QUERYENDSESSION, true, TRUE},
        CloseCase{"EndSessionTrueAgrees", &Closable, true, false, WM_QUERYENDSESSION, true, TRUE},
        CloseCase{"EndSessionFalseObjects", &Closable, false, false, WM_QUERYENDSESSION, true, FALSE},
        CloseCase{"EndSessionHandlerDestroyedTheWindowAgrees", &Closable, false, true, WM_QUERYENDSESSION, false,
                  TRUE}),
    [](const ::testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.Name); });

}  // namespace
