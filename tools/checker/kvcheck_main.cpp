// kvcheck: checks a setup package before it ships.
//   kvcheck.exe [--json] [--quiet] PACKAGE_FOLDER
// One line per finding ("error:" or "warning:", where, what) and "info:"
// lines with the values a run would use (--quiet leaves them out). Exit
// code: 0 no error, 1 an error, 2 the check could not run.
#include "package_check.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    bool json = false, quiet = false;
    const char* folder = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--json") == 0) {
            json = true;
        } else if (std::strcmp(argv[i], "--quiet") == 0) {
            quiet = true;
        } else if (folder == nullptr && argv[i][0] != '-') {
            folder = argv[i];
        } else {
            folder = nullptr;
            break;
        }
    }
    if (folder == nullptr) {
        std::fprintf(stderr, "usage: kvcheck [--json] [--quiet] PACKAGE_FOLDER\n");
        return 2;
    }
    kvcheck::Findings findings;
    const bool ran = kvcheck::checkPackage(folder, findings);
    if (json)
        kvcheck::printJson(stdout, findings);
    else
        kvcheck::printText(stdout, findings, !quiet);
    std::fflush(stdout);
    return ran ? findings.exitCode() : 2;
}
