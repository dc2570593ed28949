// Pictures of the progress dialog while the files copy and during a
// registration step, written only when --screenshots=<folder> is given.
#include "progress_steps_double.h"
#include "scripted/screenshot.h"
#include "support/test_support.h"
#include "support/watchdog.h"

#include <gtest/gtest.h>

using kvtest::recorder;

namespace {

std::string screenshotFolder() { return kvtest::argument("screenshots"); }

std::atomic<bool> copyPictureSaved{false};

// Lets the clip play a while, then photographs the dialog from this thread.
unsigned __stdcall photographingWorker(void* argument) {
    recorder.dialog = static_cast<kv::InstallProgressDialog*>(argument)->handle();
    ::Sleep(800);
    copyPictureSaved = kvtest::saveBmp(kvtest::captureWindow(recorder.dialog),
                                       screenshotFolder() + "\\progress-copying.bmp");
    kv::installState.setWorkerBusy(0);
    return 0;
}

bool statusPictureSaved = false;

void photographStatus() {
    kvtest::letWindowsSettle(300);
    statusPictureSaved = kvtest::saveBmp(kvtest::captureWindow(recorder.dialog),
                                         screenshotFolder() + "\\progress-dialog.bmp");
}

}  // namespace

TEST(Screenshot, ProgressDialog) {
    if (screenshotFolder().empty()) GTEST_SKIP() << "no --screenshots folder";
    kvtest::ProgressTexts texts;
    kvtest::Watchdog watchdog(20);
    kv::InstallSteps steps = kvtest::recordingSteps(&photographingWorker);
    steps.productRegistration = &photographStatus;
    kv::RunInstallProgress(steps);
    EXPECT_TRUE(copyPictureSaved);
    EXPECT_TRUE(statusPictureSaved);
}
