#include "install/file_table.h"

#include "common/package_names.h"

namespace kv {

const char* const kFileTable[kFileTableSize] = {
    "kvconf.lrd",      //  0
    "kvhook.dll",      //  1
    "kvtray32.exe",    //  2
    "PANEL.BMP",       //  3
    "kvconf.dat",      //  4
    "kvpanel32.dll",   //  5
    "kvbanner.bmp",    //  6
    "kvdata.dat",      //  7
    "res\\kvtray.ico", //  8
    "kvrem32.dll",     //  9
    "kvrem16.exe",     // 10
    "kvres.dll",       // 11
    "kvlang.dll",      // 12
    "kvconf.ini",      // 13
    "kvrem00.exe",     // 14
    "kvrem00.log",     // 15
    kLanguageFolder,   // 16 "kv-00001\"
    kLanguageFileStem, // 17 "kvsetlan"
    "kvrem",           // 18
    "KVFLTSYS.SYS",    // 19
};

}  // namespace kv
