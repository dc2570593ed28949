// Benchmark, not a test: 50 whole installs of the built library in one
// process, each driven through the wizard to the finish page, printing what
// the process holds after runs 1, 10 and 50: kernel handles, windows,
// threads, heap, private memory and GDI objects by kind. Wine answers
// GetGuiResources and GetProcessHandleCount with 0, so handles are found by
// probing handle values. Fails when a run after the first keeps a kernel
// handle. Run with `make soak`.
#include "support/test_support.h"
#include "wizard_test_support.h"

#include <cstdio>
#include <cstdlib>
#include <map>

using namespace kvdrive;

namespace {

int runs() {
    const std::string asked = kvtest::argument("runs");
    return asked.empty() ? 50 : std::atoi(asked.c_str());
}

struct Holdings {
    int kernelHandles = 0;
    std::map<std::string, int> handleKinds;  // by object type name
    int windows = 0;
    int threads = 0;
    SIZE_T heapBytes = 0;
    int heapBlocks = 0;
    SIZE_T privateBytes = 0;
    std::map<DWORD, int> gdiObjects;  // by GetObjectType kind
};

void kernelHandles(Holdings& h) {
    h.handleKinds = kvtest::kernelHandlesByKind();
    for (const auto& kind : h.handleKinds) h.kernelHandles += kind.second;
}

BOOL CALLBACK countChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

void heaps(Holdings& h) {
    HANDLE all[64];
    const DWORD count = ::GetProcessHeaps(64, all);
    for (DWORD i = 0; i < count && i < 64; ++i) {
        if (!::HeapLock(all[i])) continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (::HeapWalk(all[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
                h.heapBytes += entry.cbData;
                ++h.heapBlocks;
            }
        }
        ::HeapUnlock(all[i]);
    }
}

SIZE_T privateBytes() {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION region = {};
    for (const char* at = nullptr; ::VirtualQuery(at, &region, sizeof(region)) == sizeof(region);) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= at) break;
        at = next;
    }
    return total;
}

// A GDI handle's low word indexes the process's object table; with a zero
// high word Wine accepts it whatever the entry's generation.
std::map<DWORD, int> gdiObjects() {
    std::map<DWORD, int> kinds;
    for (ULONG_PTR value = 1; value < 0x10000; ++value)
        if (const DWORD kind = ::GetObjectType(reinterpret_cast<HGDIOBJ>(value))) ++kinds[kind];
    return kinds;
}

Holdings measure() {
    Holdings h;
    kernelHandles(h);
    for (HWND window : kvtest::ownWindows()) {
        ++h.windows;
        ::EnumChildWindows(window, &countChild, reinterpret_cast<LPARAM>(&h.windows));
    }
    h.threads = kvtest::ownThreadCount();
    heaps(h);
    h.privateBytes = privateBytes();
    h.gdiObjects = gdiObjects();
    return h;
}

const char* gdiKindName(DWORD kind) {
    static const char* const names[] = {"?", "pen", "brush", "dc", "metadc", "palette", "font", "bitmap",
                                        "region", "metafile", "memdc", "extpen", "enhmetadc", "enhmetafile",
                                        "colorspace"};
    return kind < sizeof(names) / sizeof(names[0]) ? names[kind] : "other";
}

void print(int run, const Holdings& h) {
    std::printf("after run %2d: kernel handles %d (", run, h.kernelHandles);
    for (const auto& kind : h.handleKinds) std::printf(" %s %d", kind.first.c_str(), kind.second);
    std::printf(" ), windows %d, threads %d, heap %lu bytes in %d blocks, "
                "private memory %lu KiB, GDI:",
                h.windows, h.threads, static_cast<unsigned long>(h.heapBytes),
                h.heapBlocks, static_cast<unsigned long>(h.privateBytes / 1024));
    for (const auto& kind : h.gdiObjects) std::printf(" %s %d", gdiKindName(kind.first), kind.second);
    std::printf("\n");
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    kvtest::rememberArguments(argc, argv);
    const Entry doInstall = kvtest::stagedLibraryEntry();
    if (!doInstall) {
        std::printf("kvsetup.dll or DOINSTALL not found\n");
        return 1;
    }
    char previous[MAX_PATH] = {};
    ::GetCurrentDirectoryA(sizeof(previous), previous);
    ::SetCurrentDirectoryA(kvtest::stagedPackageDir().c_str());
    print(0, measure());
    int failedRuns = 0;
    Holdings firstRun;
    Holdings lastRun;
    const DWORD start = ::GetTickCount();
    const int kRuns = runs();
    for (int run = 1; run <= kRuns; ++run) {
        const std::string destination = kvtest::makeTempFolder("soak") + "\\Pkg";
        const std::string programFolder = "KV Soak " + std::to_string(run);
        const RunOutcome outcome = runScripted(doInstall, kvtest::stagedPackageDir(), [&](Driver& d) {
            d.waitForPage(kLanguage);
            kvtest::finish(d, kvtest::installToFinish(d, destination, programFolder), false);
        });
        if (outcome.resultCode != 12 || !outcome.failures.empty()) {
            ++failedRuns;
            std::printf("run %d: ResultCode %d%s%s\n", run, outcome.resultCode,
                        outcome.failures.empty() ? "" : ", ", outcome.failures.empty() ? "" : outcome.failures[0].c_str());
        }
        kvtest::removeInstallation(destination, programFolder);
        if (run == 1 || run == 10 || run == kRuns) {
            const Holdings now = measure();
            print(run, now);
            if (run == 1) firstRun = now;
            lastRun = now;
        }
    }
    std::printf("%d runs in %lu ms, %d not ending with 12\n", kRuns,
                static_cast<unsigned long>(::GetTickCount() - start), failedRuns);
    // The first run opens what stays open for the process (cached registry
    // keys, the window station); every later one must give back what it took.
    const int keptHandles = lastRun.kernelHandles - firstRun.kernelHandles;
    if (keptHandles > 0) std::printf("%d kernel handles kept after run 1\n", keptHandles);
    ::SetCurrentDirectoryA(previous);
    return failedRuns == 0 && keptHandles <= 0 ? 0 : 1;
}
