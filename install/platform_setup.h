// The package's own setup component for the running platform: a program on
// the Windows 95 family, a library on Windows NT 4. Run by the file worker.
#pragma once
#include "base/bounded_format.h"

namespace kv {

class RegistryKey;

constexpr char kSetupProgramName[] = "SETUP16.EXE";
constexpr char kSetupLibraryName[] = "SETUP32.DLL";

// "<source>\SETUP16.EXE" (quoted when it holds a blank), one blank, and the
// short form of the start folder ("\winme" appended on Windows ME). When the
// short form cannot be had the start folder goes as it stands, quoted when it
// holds a blank. False, and nothing to run, when the line does not fit its
// 260 bytes.
bool buildSetupProgramCommandLine(char (&commandLine)[kPathCapacity]);

// Starts the setup program and waits for its end. A program that cannot be
// started is skipped.
void runSetupProgram();

// After the setup program: a nonzero HKLM\SOFTWARE "RebootFlags" asks for a
// restart; the key SOFTWARE\RebootFlags is removed either way.
void runRestartCheck(RegistryKey& key);

// Calls Setup(main window object, "<source>\winnt", &restartNeeded) of the
// NT 4 setup library, then asks for a restart. Nothing happens when the
// library or its entry is missing.
void runNtSetupLibrary();

}  // namespace kv
