// Which records of an uninstall log the removal may act on, and in which
// order. No Windows call: the folders of the running system come in.
#pragma once
#include "base/heap_vector.h"
#include "removal/path_rules.h"

#include <cstddef>
#include <cstdint>

namespace kv {

// Folders of the running system and of the installation, each without a
// trailing separator; an empty text where a folder is unknown (then nothing
// counts as inside it).
struct RemovalFolders {
    const char* installation = "";  // the folder the log lies in
    const char* windows = "";
    const char* system = "";
    const char* programFiles = "";
    const char* startMenuPrograms = "";
    const char* driverFile = "";  // full path of the filter driver file
    // A program folder known without the log (a stopped install records its
    // program folder last); judged like the log's own.
    const char* knownProgramFolder = "";
};

enum class LogCheck { Sound, Empty, CutRecord, UnknownType, EmptyText };
// A log is acted on only when every record is whole, of a known type and
// has a text: a damaged log says nothing reliable about any of its records.
LogCheck checkRemovalLog(const std::uint8_t* bytes, std::size_t size);
const char* logCheckText(LogCheck check);

// Refused outright: the log lies in a drive root, the Windows folder or the
// system folder, where "inside the installation" would mean the system.
bool installationFolderRefused(const RemovalFolders& folders, LeadBytePredicate isLead);

enum class Verdict {
    Act,
    UnsafePath,          // not a plain full path, or too long
    ProtectedFolder,     // a drive root, the Windows, system, program-files or Programs folder
    OutsideInstallation, // not below the installation, its program folder or the driver file
    OutsideUninstallKeys,
    NotOurValue,         // an auto-start value of another name
};
const char* verdictText(Verdict verdict);

// Judges one record. `programFolder` is the program folder the log names
// (its 0xFC record), already judged; empty when it has none or it was
// refused, so that no shortcut is acted on.
Verdict judgeRecord(const RemovalFolders& folders, const char* programFolder, std::uint8_t type,
                    const char* text, std::size_t length, LeadBytePredicate isLead);

struct PlannedRecord {
    std::uint8_t type;
    std::size_t offset;  // of the text in the log's bytes
    std::size_t length;
    Verdict verdict;
};

// Every record of a sound log, judged, in removal order: uninstall key,
// shortcuts, program folders, auto-start value, files, then folders deepest
// first (a folder goes only once what it held is gone); within a kind, the
// reverse of the log's order. An item recorded again later is planned once;
// a shortcut is judged against every program folder the log names. False
// when memory ran out.
bool planRemoval(const std::uint8_t* bytes, std::size_t size, const RemovalFolders& folders,
                 LeadBytePredicate isLead, Vector<PlannedRecord>& plan);

// Longest path the removal acts on, terminator excluded.
constexpr std::size_t kMaxRemovalPath = 259;

}  // namespace kv
