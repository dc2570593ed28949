// The entry point of the programs (setup.exe, kvrem00.exe): splits the
// command line into arguments the way the C runtime does for simple cases
// (blanks separate, double quotes group) and hands them to main.
#include "base/runtime/module_lifetime.h"

int main(int argc, char** argv);

namespace {

constexpr int kMaxArguments = 16;
constexpr int kCommandCapacity = 1024;

int splitCommandLine(const char* line, char (&buffer)[kCommandCapacity], char* (&argv)[kMaxArguments + 1]) {
    int argc = 0;
    int used = 0;
    while (*line && argc < kMaxArguments) {
        while (*line == ' ' || *line == '\t') ++line;
        if (*line == '\0') break;
        argv[argc++] = buffer + used;
        bool quoted = false;
        for (; *line && (quoted || (*line != ' ' && *line != '\t')); ++line) {
            if (*line == '"') {
                quoted = !quoted;
            } else if (used < kCommandCapacity - 1) {
                buffer[used++] = *line;
            }
        }
        buffer[used < kCommandCapacity ? used++ : kCommandCapacity - 1] = '\0';
        if (used >= kCommandCapacity) break;
    }
    argv[argc] = nullptr;
    return argc;
}

}  // namespace

// GCC calls __main at the start of main to run the static constructors. The
// start-up below has already run them; libgcc's own __main would run them a
// second time and bring its unwind tables along.
extern "C" void __main() {}

extern "C" void mainCRTStartup() {
    kv::runStaticConstructors();
    char buffer[kCommandCapacity];
    char* argv[kMaxArguments + 1];
    const int argc = splitCommandLine(::GetCommandLineA(), buffer, argv);
    const int code = main(argc, argv);
    kv::runExitActions();
    ::ExitProcess(static_cast<UINT>(code));
}
