// The launcher's command line and the answer file of an unattended install,
// read into one set of choices. Pure text rules, no Windows calls: the
// launcher and the engine read the same text the same way.
//
// Command line: switches start with "/" (or "-") and are not case-sensitive;
// a value follows "=" and may be quoted ("/dir=\"C:\My Mouse\""); one word
// without a switch is the source folder.
//   /s  /norestart  /lang=CODE  /type=3D|4D  /dir=FOLDER  /group=NAME
//   /log=FILE  /saveinf=FILE  /loadinf=FILE
// Answer file: a [Setup] section of key=value lines with the same names
// (lang, type, dir, group, norestart=1|0, log); ";" starts a comment. A
// switch on the command line wins over the same key in the file.
#pragma once
#include <cstddef>

namespace kv {

constexpr std::size_t kOptionTextCapacity = 260;
constexpr std::size_t kOptionReasonCapacity = 320;
// An answer file longer than this is refused, not read in part.
constexpr std::size_t kMaxAnswerFileBytes = 16384;

enum class SetupTypeChoice { Unset, First3D, Second4D };

struct SetupOptions {
    bool unattended = false;
    bool noRestart = false;
    bool noRestartGiven = false;
    SetupTypeChoice setupType = SetupTypeChoice::Unset;
    char language[kOptionTextCapacity] = {};
    char destination[kOptionTextCapacity] = {};
    char programFolder[kOptionTextCapacity] = {};
    char logFile[kOptionTextCapacity] = {};
    char saveAnswers[kOptionTextCapacity] = {};
    char loadAnswers[kOptionTextCapacity] = {};
    char sourceFolder[kOptionTextCapacity] = {};

    // Anything beyond what the first launcher understood (a folder and
    // /norestart): such a run goes through the engine's second entry.
    bool needsOptionEntry() const;
};

// The command line after the program's own name (quoted or not).
const char* argumentsOf(const char* commandLine);

// Reads the switches of `arguments` into `options`. False, with the reason
// in `reason`, for an unknown switch, a missing or empty value, a value that
// does not fit, a switch given twice or a second folder. Past the first bad
// word /s and /log are still read, so the refusal reaches the log asked for.
bool parseSetupOptions(const char* arguments, SetupOptions& options, char (&reason)[kOptionReasonCapacity]);

// Reads an answer file's bytes into `options`, keeping every value the
// command line gave. False, with the line and the reason, for a file that is
// too long, holds a NUL byte, a line outside [Setup], an unknown key, a key
// given twice, a bad value or a value that does not fit.
bool applyAnswerText(const char* text, std::size_t length, SetupOptions& options,
                     char (&reason)[kOptionReasonCapacity]);

// The switches that give `options` again (the source folder left out), each
// value quoted; false when they do not fit `capacity`. The launcher hands the
// engine these, with its files made absolute, rather than its own text.
bool formatSetupArguments(const SetupOptions& options, char* out, std::size_t capacity);

// The answer file that repeats `options`' choices (lang, type, dir, group,
// norestart when set), CRLF lines; false when it does not fit `capacity`.
bool formatAnswerText(const SetupOptions& options, char* out, std::size_t capacity);

}  // namespace kv
