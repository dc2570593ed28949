#include "removal/removal_plan.h"

#include "common/log_codec.h"

namespace kv {
namespace {

constexpr char kUninstallKeysPrefix[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr char kAutoStartValue[] = "QRXTARNWELDMOUSE";

bool equalsIgnoringCase(const char* text, std::size_t length, const char* word) {
    std::size_t i = 0;
    for (; i < length && word[i]; ++i) {
        char a = text[i], b = word[i];
        if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
        if (a != b) return false;
    }
    return i == length && word[i] == 0;
}

bool isProtectedFolder(const RemovalFolders& f, const char* path, std::size_t length, LeadBytePredicate isLead) {
    return pathIsDriveRoot(path, length) || samePath(path, length, f.windows, isLead) ||
           samePath(path, length, f.system, isLead) || samePath(path, length, f.programFiles, isLead) ||
           samePath(path, length, f.startMenuPrograms, isLead);
}

Verdict judgeUninstallKey(const char* text, std::size_t length) {
    const std::size_t prefix = sizeof(kUninstallKeysPrefix) - 1;
    if (length <= prefix || !equalsIgnoringCase(text, prefix, kUninstallKeysPrefix))
        return Verdict::OutsideUninstallKeys;
    // One key right below "Uninstall", never a deeper or a relative one.
    for (std::size_t i = prefix; i < length; ++i)
        if (text[i] == '\\' || static_cast<unsigned char>(text[i]) < 0x20) return Verdict::OutsideUninstallKeys;
    return Verdict::Act;
}

int kindRank(std::uint8_t type) {
    switch (type) {
        case kLogUninstallKey: return 0;
        case kLogShortcut: return 1;
        case kLogProgramFolder: return 2;
        case kLogAutoStartValue: return 3;
        case kLogFile: return 4;
        default: return 5;  // folders
    }
}

std::size_t depth(const std::uint8_t* bytes, const PlannedRecord& record) {
    std::size_t separators = 0;
    for (std::size_t i = 0; i < record.length; ++i)
        if (bytes[record.offset + i] == '\\') ++separators;
    return separators;
}

// `a` is removed before `b`.
bool removedBefore(const std::uint8_t* bytes, const PlannedRecord& a, const PlannedRecord& b) {
    const int ra = kindRank(a.type), rb = kindRank(b.type);
    if (ra != rb) return ra < rb;
    if (a.type == kLogFolder) {
        const std::size_t da = depth(bytes, a), db = depth(bytes, b);
        if (da != db) return da > db;
    }
    return a.offset > b.offset;
}

std::size_t offsetOf(const std::uint8_t* bytes, const LogRecordView& record) {
    return static_cast<std::size_t>(reinterpret_cast<const std::uint8_t*>(record.text) - bytes);
}

// Copies a judged (so at most kMaxRemovalPath bytes long) record's text.
void copyText(const std::uint8_t* bytes, const PlannedRecord& record, char (&out)[kMaxRemovalPath + 1]) {
    for (std::size_t i = 0; i < record.length; ++i) out[i] = static_cast<char>(bytes[record.offset + i]);
    out[record.length] = 0;
}

// A record of the same kind naming the same item follows from `offset` on.
bool recordedAgain(const std::uint8_t* bytes, std::size_t size, std::size_t offset, const LogRecordView& record,
                   LeadBytePredicate isLead) {
    if (record.length > kMaxRemovalPath) return false;
    char text[kMaxRemovalPath + 1];
    for (std::size_t i = 0; i < record.length; ++i) text[i] = record.text[i];
    text[record.length] = 0;
    LogRecordView later;
    while (readLogRecord(bytes, size, offset, later) == LogRead::Record)
        if (later.type == record.type && samePath(later.text, later.length, text, isLead)) return true;
    return false;
}

}  // namespace

LogCheck checkRemovalLog(const std::uint8_t* bytes, std::size_t size) {
    if (size == 0) return LogCheck::Empty;
    std::size_t offset = 0;
    LogRecordView record;
    for (;;) {
        const LogRead read = readLogRecord(bytes, size, offset, record);
        if (read == LogRead::End) return LogCheck::Sound;
        if (read == LogRead::Truncated) return LogCheck::CutRecord;
        if (!isKnownLogRecordType(record.type)) return LogCheck::UnknownType;
        if (record.length == 0) return LogCheck::EmptyText;
    }
}

const char* logCheckText(LogCheck check) {
    switch (check) {
        case LogCheck::Sound: return "sound";
        case LogCheck::Empty: return "the log is empty";
        case LogCheck::CutRecord: return "the log ends inside a record";
        case LogCheck::UnknownType: return "the log holds a record of an unknown type";
        case LogCheck::EmptyText: return "the log holds a record without text";
    }
    return "";
}

bool installationFolderRefused(const RemovalFolders& f, LeadBytePredicate isLead) {
    std::size_t n = 0;
    while (f.installation[n]) ++n;
    return !pathIsPlainAbsolute(f.installation, n, isLead) || pathIsDriveRoot(f.installation, n) ||
           samePath(f.installation, n, f.windows, isLead) || samePath(f.installation, n, f.system, isLead);
}

const char* verdictText(Verdict verdict) {
    switch (verdict) {
        case Verdict::Act: return "";
        case Verdict::UnsafePath: return "not a plain full path";
        case Verdict::ProtectedFolder: return "a system folder or a drive root";
        case Verdict::OutsideInstallation: return "outside the installation's folders";
        case Verdict::OutsideUninstallKeys: return "not an uninstall entry";
        case Verdict::NotOurValue: return "not the product's auto-start value";
    }
    return "";
}

Verdict judgeRecord(const RemovalFolders& f, const char* programFolder, std::uint8_t type, const char* text,
                    std::size_t length, LeadBytePredicate isLead) {
    if (type == kLogUninstallKey) return judgeUninstallKey(text, length);
    if (type == kLogAutoStartValue)
        return equalsIgnoringCase(text, length, kAutoStartValue) ? Verdict::Act : Verdict::NotOurValue;
    if (length > kMaxRemovalPath || !pathIsPlainAbsolute(text, length, isLead)) return Verdict::UnsafePath;
    if (isProtectedFolder(f, text, length, isLead)) return Verdict::ProtectedFolder;
    switch (type) {
        case kLogFile:
            if (samePath(text, length, f.driverFile, isLead)) return Verdict::Act;
            return pathIsBelow(text, length, f.installation, isLead) ? Verdict::Act : Verdict::OutsideInstallation;
        case kLogFolder:
            return samePath(text, length, f.installation, isLead) || pathIsBelow(text, length, f.installation, isLead)
                       ? Verdict::Act
                       : Verdict::OutsideInstallation;
        case kLogProgramFolder:
            return pathIsBelow(text, length, f.startMenuPrograms, isLead) ? Verdict::Act
                                                                           : Verdict::OutsideInstallation;
        case kLogShortcut:
            return pathIsBelow(text, length, programFolder, isLead) ? Verdict::Act : Verdict::OutsideInstallation;
        default:
            return Verdict::OutsideInstallation;
    }
}

bool planRemoval(const std::uint8_t* bytes, std::size_t size, const RemovalFolders& folders,
                 LeadBytePredicate isLead, Vector<PlannedRecord>& plan) {
    // The program folders first: shortcuts are judged against them (a
    // reinstall's log may name the folder of the earlier install too).
    Vector<PlannedRecord> programFolders;
    std::size_t offset = 0;
    LogRecordView record;
    while (readLogRecord(bytes, size, offset, record) == LogRead::Record) {
        if (record.type != kLogProgramFolder ||
            judgeRecord(folders, "", record.type, record.text, record.length, isLead) != Verdict::Act)
            continue;
        const PlannedRecord folder = {record.type, offsetOf(bytes, record), record.length, Verdict::Act};
        if (!programFolders.push_back(folder)) return false;
    }
    std::size_t knownLength = 0;
    while (folders.knownProgramFolder[knownLength]) ++knownLength;
    const bool knownSound = knownLength > 0 && judgeRecord(folders, "", kLogProgramFolder, folders.knownProgramFolder,
                                                           knownLength, isLead) == Verdict::Act;

    offset = 0;
    while (readLogRecord(bytes, size, offset, record) == LogRead::Record) {
        PlannedRecord planned = {record.type, offsetOf(bytes, record), record.length, Verdict::Act};
        // The same item recorded again later (a reinstall carries the
        // earlier records) is acted on once, at its last place.
        if (recordedAgain(bytes, size, offset, record, isLead)) continue;
        if (record.type == kLogShortcut) {
            planned.verdict = Verdict::OutsideInstallation;
            char folder[kMaxRemovalPath + 1];
            for (const PlannedRecord& candidate : programFolders) {
                copyText(bytes, candidate, folder);
                if (judgeRecord(folders, folder, record.type, record.text, record.length, isLead) == Verdict::Act)
                    planned.verdict = Verdict::Act;
            }
            if (knownSound && judgeRecord(folders, folders.knownProgramFolder, record.type, record.text,
                                          record.length, isLead) == Verdict::Act)
                planned.verdict = Verdict::Act;
            if (planned.verdict != Verdict::Act)
                planned.verdict = judgeRecord(folders, "", record.type, record.text, record.length, isLead);
        } else {
            planned.verdict = judgeRecord(folders, "", record.type, record.text, record.length, isLead);
        }
        if (!plan.push_back(planned)) return false;
    }
    // Insertion sort: logs are short, and it allocates nothing.
    for (std::size_t i = 1; i < plan.size(); ++i) {
        const PlannedRecord moving = plan[i];
        std::size_t j = i;
        for (; j > 0 && removedBefore(bytes, moving, plan[j - 1]); --j) plan[j] = plan[j - 1];
        plan[j] = moving;
    }
    return true;
}

}  // namespace kv
