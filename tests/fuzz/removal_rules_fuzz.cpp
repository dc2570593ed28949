// The removal's rules on any bytes: a log is planned only when sound, no
// record appears twice in the plan, what the plan acts on lies in the
// installation's own places, and the two text edits stay in their buffers
// and keep what they were given.
#include "common/log_codec.h"
#include "fuzz_input.h"
#include "removal/filter_list.h"
#include "removal/removal_plan.h"
#include "removal/wininit_text.h"

#include <vector>

namespace {

void fuzzPlan(fuzz::Input& in, kv::LeadBytePredicate isLead) {
    const std::string installation = in.text();
    const std::string programs = in.text();
    const std::string bytesText = in.rest();
    const std::vector<std::uint8_t> bytes(bytesText.begin(), bytesText.end());
    if (kv::checkRemovalLog(bytes.data(), bytes.size()) != kv::LogCheck::Sound) return;
    kv::RemovalFolders f;
    f.installation = installation.c_str();
    f.windows = "C:\\WINDOWS";
    f.system = "C:\\WINDOWS\\SYSTEM";
    f.programFiles = "C:\\Program Files";
    f.startMenuPrograms = programs.c_str();
    f.driverFile = "C:\\WINDOWS\\system32\\Drivers\\KVFLTSYS.SYS";
    kv::Vector<kv::PlannedRecord> plan;
    if (!kv::planRemoval(bytes.data(), bytes.size(), f, isLead, plan)) return;
    std::size_t records = 0, offset = 0;
    kv::LogRecordView view;
    while (kv::readLogRecord(bytes.data(), bytes.size(), offset, view) == kv::LogRead::Record) ++records;
    FUZZ_CHECK(plan.size() <= records && (records == 0) == plan.empty());
    for (const kv::PlannedRecord& r : plan) {
        FUZZ_CHECK(r.offset + r.length < bytes.size());
        if (r.verdict != kv::Verdict::Act) continue;
        const char* text = reinterpret_cast<const char*>(bytes.data() + r.offset);
        if (r.type == kv::kLogFile)
            FUZZ_CHECK(kv::pathIsBelow(text, r.length, f.installation, isLead) ||
                       kv::samePath(text, r.length, f.driverFile, isLead));
        if (r.type == kv::kLogFolder || r.type == kv::kLogFile || r.type == kv::kLogShortcut ||
            r.type == kv::kLogProgramFolder) {
            FUZZ_CHECK(kv::pathIsPlainAbsolute(text, r.length, isLead));
            FUZZ_CHECK(!kv::pathIsDriveRoot(text, r.length));
            FUZZ_CHECK(!kv::samePath(text, r.length, f.windows, isLead));
        }
    }
}

void fuzzFilterList(fuzz::Input& in) {
    const std::string list = in.rest();
    std::vector<char> out(in.byte() % 64 + 1);
    std::size_t size = 0;
    const kv::FilterEdit edit = kv::removeFilterDriver(list.data(), list.size(), out.data(), out.size(), &size);
    FUZZ_CHECK(size <= out.size());
    FUZZ_CHECK((edit == kv::FilterEdit::Edited) == (size > 0));
    if (edit == kv::FilterEdit::Edited) FUZZ_CHECK(size >= 2 && out[size - 1] == 0 && out[size - 2] == 0);
}

void fuzzWininit(fuzz::Input& in) {
    const std::string lines = in.text();
    const std::string text = in.rest();
    std::vector<char> out(text.size() + lines.size() + 16);
    const std::size_t n = kv::addWininitLines(text.data(), text.size(), lines.data(), lines.size(), out.data(),
                                              out.size());
    FUZZ_CHECK(n <= out.size());
    if (n == 0) return;
    // Nothing of the old text is lost: it is the result minus our lines and
    // the separators and header added.
    FUZZ_CHECK(n >= text.size() + lines.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const std::uint8_t choice = in.byte();
    switch (choice % 3) {
        case 0: fuzzPlan(in, fuzz::leadBytes(choice / 3)); break;
        case 1: fuzzFilterList(in); break;
        default: fuzzWininit(in); break;
    }
    return 0;
}
