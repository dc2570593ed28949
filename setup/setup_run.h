#pragma once

namespace kv {

// One whole setup run on the calling thread; returns the ResultCode.
int runSetup(const char* sourceFolder);

// What a run does inside the stages every run shares (one run at a time,
// the source folder checked and copied, platform and language detected,
// configuration read, texts loaded, both released at the end).
struct SetupRunBody {
    // After the configuration is read and before the texts are loaded: the
    // run's own choices over the defaults. False ends the run, with `refused`.
    bool (*choose)(void* context) = nullptr;
    // The run itself; its result is the run's.
    int (*run)(void* context) = nullptr;
    void* context = nullptr;
};
// `refused` is returned, with nothing shown or touched, when another run is
// under way in this process or the source folder is unusable.
int runSetupWith(const char* sourceFolder, const SetupRunBody& body, int refused);

// The wizard's run and its ResultCode, once the texts are loaded.
int runWizardToResult();

// Runs the setup main window modally and returns its end code.
int runSetupMainWindow();

}  // namespace kv
