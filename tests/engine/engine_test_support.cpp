#include "engine_test_support.h"

#include "install/install_state.h"
#include "common/language_strings.h"
#include "common/setup_config.h"
#include "support/test_support.h"

#include <fstream>

namespace kvtest {

void resetEngineState() {
    kv::InstallState& s = kv::installState;
    s.uninstallLog.close();
    s.sourceDir[0] = s.startDir[0] = s.destinationDir[0] = '\0';
    s.languageIndex = 0;
    s.languageCode = "enu";
    s.platform = kv::PlatformFlag::None;
    s.setupTypeFirst = true;
    s.mainWindow = nullptr;
    s.setWorkerBusy(0);
    s.restartNeeded = 1;
    s.installStopped = false;
    kv::releaseSetupConfig();
    kv::releaseLanguageStrings();
}

std::vector<kv::LogRecord> readLogRecords(const std::string& path) {
    kv::installState.uninstallLog.close();
    std::vector<std::uint8_t> bytes;
    std::vector<kv::LogRecord> records;
    if (readFileBytes(path, bytes)) kv::decodeLog(bytes, records);
    return records;
}

std::vector<std::uint8_t> encodeRecords(const std::vector<kv::LogRecord>& records) {
    std::vector<std::uint8_t> bytes;
    for (const kv::LogRecord& r : records) {
        const std::vector<std::uint8_t> one = kv::encodeLogRecord(r.type, r.text);
        bytes.insert(bytes.end(), one.begin(), one.end());
    }
    return bytes;
}

std::vector<std::string> readLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

}  // namespace kvtest
