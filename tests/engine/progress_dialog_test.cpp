// The progress dialog's sequence against step doubles: the poll tick before
// step 2, waiting for a slow worker, captions and label per step, keys that
// must not end it, the log, and a worker thread that cannot be started.
#include "base/gdi_scope.h"
#include "base/module_instance.h"
#include "base/unique_handle.h"
#include "progress_steps_double.h"
#include "res/resource_ids.h"
#include "scripted/screenshot.h"
#include "support/test_support.h"
#include "support/watchdog.h"

#include <gtest/gtest.h>

using kvtest::recorder;
using kvtest::StepRecord;

namespace {

int screenDpi() {
    const kv::ClientDc screen(nullptr);
    return ::GetDeviceCaps(screen.get(), LOGPIXELSY);
}

void rememberDialog(void* argument) {
    recorder.dialog = static_cast<kv::InstallProgressDialog*>(argument)->handle();
}

unsigned __stdcall quickWorker(void* argument) {
    rememberDialog(argument);
    recorder.workerStarted = ::GetTickCount();
    recorder.worker = kvtest::observe("worker");
    recorder.workerEnded = ::GetTickCount();
    kv::installState.setWorkerBusy(0);
    return 0;
}

unsigned __stdcall slowWorker(void* argument) {
    rememberDialog(argument);
    recorder.workerStarted = ::GetTickCount();
    ::Sleep(3000);
    recorder.workerEnded = ::GetTickCount();
    kv::installState.setWorkerBusy(0);
    return 0;
}

// Presses Enter and Esc, closes, and sends both commands while the files copy.
unsigned __stdcall impatientWorker(void* argument) {
    rememberDialog(argument);
    HWND dialog = recorder.dialog;
    ::PostMessageA(dialog, WM_KEYDOWN, VK_RETURN, 0);
    ::PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ::Sleep(500);
    kv::installState.setWorkerBusy(0);
    return 0;
}

// Runs on the dialog's thread when no thread could be made; leaves the busy
// flag set, as a worker that failed half-way might.
unsigned __stdcall stuckWorker(void* argument) {
    rememberDialog(argument);
    recorder.worker = kvtest::observe("worker");
    return 0;
}

// Photographs the clip four times while the files copy.
std::vector<kvtest::Pixels> clipPictures;

unsigned __stdcall clipWatchingWorker(void* argument) {
    rememberDialog(argument);
    RECT area{};
    ::GetWindowRect(::GetDlgItem(recorder.dialog, IDC_COPY_ANIMATION), &area);
    for (int i = 0; i < 4; ++i) {
        ::Sleep(250);
        clipPictures.push_back(kvtest::captureScreen(area));
    }
    kv::installState.setWorkerBusy(0);
    return 0;
}

std::uintptr_t __cdecl failingThreadStart(void*, unsigned, kv::InstallSteps::WorkerStart, void*, unsigned,
                                          unsigned*) {
    return 0;
}

std::vector<std::string> stepNames() {
    std::vector<std::string> names;
    for (const StepRecord& s : recorder.steps) names.push_back(s.name);
    return names;
}

const std::vector<std::string> kAllSteps{"product", "shortcuts", "uninstall"};

class ProgressDialog : public ::testing::Test {
protected:
    kvtest::ProgressTexts texts;
};

}  // namespace

TEST_F(ProgressDialog, StepsRunOnceInOrderAfterAPollTickEachShowingItsText) {
    const std::string folder = kvtest::makeTempFolder("progress-log");
    ASSERT_TRUE(kv::installState.uninstallLog.create((folder + "\\kvrem00.log").c_str()));
    kvtest::Watchdog watchdog(20);
    kv::RunInstallProgress(kvtest::recordingSteps(&quickWorker));
    ASSERT_EQ(kAllSteps, stepNames());

    // However fast the worker, the copy caption shows for a poll period
    // (timers may round a few milliseconds down) before step 2.
    const DWORD copyShown = recorder.steps[0].tick - recorder.workerStarted;
    EXPECT_GE(copyShown, 950u);
    EXPECT_LT(copyShown, 3000u);
    EXPECT_NE(::GetCurrentThreadId(), recorder.worker.thread);

    // Step 1: the copy caption only; neither label nor progress bar.
    EXPECT_EQ("Copying files...", recorder.worker.caption);
    EXPECT_FALSE(recorder.worker.labelVisible);
    EXPECT_FALSE(recorder.worker.progressVisible);

    // Steps 2 to 4: each after its caption change, on the dialog's thread,
    // with a 13-point bold blue label of the same text in front of the clip.
    const char* captions[] = {"Writing registry entries...", "Creating shortcuts...",
                              "Registering the uninstaller..."};
    for (std::size_t i = 0; i < recorder.steps.size(); ++i) {
        const StepRecord& s = recorder.steps[i];
        SCOPED_TRACE(s.name);
        EXPECT_EQ(captions[i], s.caption);
        EXPECT_EQ(::GetCurrentThreadId(), s.thread);
        EXPECT_TRUE(s.labelVisible);
        EXPECT_TRUE(s.labelAboveClip);
        EXPECT_EQ(s.caption, s.labelText);
        EXPECT_EQ(-(screenDpi() * 130 / 720), s.labelFont.lfHeight);
        EXPECT_EQ(FW_BOLD, s.labelFont.lfWeight);
        EXPECT_EQ(static_cast<COLORREF>(0x00FF0000), s.labelColour);
        EXPECT_FALSE(s.progressVisible);
        EXPECT_EQ(0, s.progressLow);
        EXPECT_EQ(100, s.progressHigh);
        EXPECT_EQ(0, s.progressPos);
        EXPECT_TRUE(s.logOpen);
    }
    // The log is closed once the dialog has gone.
    EXPECT_FALSE(kv::installState.uninstallLog.isOpen());
    kvtest::removeTree(folder);
}

// The artwork as the system's loaders and the animation control read it;
// tools/artwork/test_artwork.py checks the files' formats.
TEST_F(ProgressDialog, ArtworkLoadsAndTheClipPlaysWithoutItsKeyColour) {
    const HINSTANCE module = kv::moduleInstance();
    EXPECT_NE(nullptr, ::LoadIconA(module, MAKEINTRESOURCEA(IDI_SETUP)));
    kv::UniqueIcon smallIcon(
        static_cast<HICON>(::LoadImageA(module, MAKEINTRESOURCEA(IDI_SETUP), IMAGE_ICON, 16, 16, 0)));
    EXPECT_TRUE(smallIcon);
    kv::UniqueBitmap side(static_cast<HBITMAP>(
        ::LoadImageA(module, MAKEINTRESOURCEA(IDB_SIDE_PICTURE), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP size{};
    ASSERT_TRUE(side && ::GetObjectA(side.get(), sizeof(size), &size));
    EXPECT_EQ(121, size.bmWidth);
    EXPECT_EQ(262, size.bmHeight);

    kvtest::Watchdog watchdog(20);
    kv::RunInstallProgress(kvtest::recordingSteps(&clipWatchingWorker));
    ASSERT_EQ(4u, clipPictures.size());
    const COLORREF key = RGB(192, 192, 192);  // the clip's background, drawn transparent
    ASSERT_NE(key, ::GetSysColor(COLOR_BTNFACE)) << "the dialog's own colour would hide the check";
    bool plays = false;
    for (const kvtest::Pixels& picture : clipPictures) {
        ASSERT_FALSE(picture.empty());
        EXPECT_EQ(0, picture.count(key));
        plays = plays || picture.rows != clipPictures[0].rows;
    }
    EXPECT_TRUE(plays) << "the clip shows the same frame in every picture";
}

TEST_F(ProgressDialog, NoRegistrationBeforeASlowWorkerHasFinished) {
    kvtest::Watchdog watchdog(20);
    kv::RunInstallProgress(kvtest::recordingSteps(&slowWorker));
    ASSERT_EQ(kAllSteps, stepNames());
    ASSERT_NE(0u, recorder.workerEnded.load());
    EXPECT_GE(recorder.steps[0].tick, recorder.workerEnded.load());
    // Seen on the next poll tick, not later.
    EXPECT_LT(recorder.steps[0].tick - recorder.workerEnded, 2000u);
}

TEST_F(ProgressDialog, EnterEscapeAndCloseDoNotEndItEarly) {
    kvtest::Watchdog watchdog(20);
    kv::RunInstallProgress(kvtest::recordingSteps(&impatientWorker));
    EXPECT_FALSE(watchdog.fired());
    EXPECT_EQ(kAllSteps, stepNames());
}

TEST_F(ProgressDialog, WorkerRunsOnTheDialogsThreadWhenNoThreadCanBeMade) {
    kvtest::Watchdog watchdog(20);
    kv::InstallSteps steps = kvtest::recordingSteps(&stuckWorker);
    steps.startThread = &failingThreadStart;
    kv::RunInstallProgress(steps);
    EXPECT_FALSE(watchdog.fired());
    EXPECT_EQ(::GetCurrentThreadId(), recorder.worker.thread);
    EXPECT_EQ(kAllSteps, stepNames());
    EXPECT_EQ(0, kv::installState.isWorkerBusy());
}
