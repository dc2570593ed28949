#include "common/setup_options.h"

#include "base/bounded_format.h"

#include <cstring>

namespace kv {
namespace {

using Reason = char[kOptionReasonCapacity];

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameWord(const char* a, std::size_t length, const char* word) {
    for (std::size_t i = 0; i < length; ++i)
        if (word[i] == '\0' || lowerAscii(a[i]) != word[i]) return false;
    return word[length] == '\0';
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// One word of a command line: blanks separate, double quotes group and are
// dropped. False when it does not fit `out`.
bool nextWord(const char*& line, char (&out)[1024]) {
    std::size_t used = 0;
    bool quoted = false;
    bool fits = true;
    for (; *line && (quoted || !isBlank(*line)); ++line) {
        if (*line == '"') {
            quoted = !quoted;
        } else if (used + 1 < sizeof(out)) {
            out[used++] = *line;
        } else {
            fits = false;
        }
    }
    out[used] = '\0';
    return fits;
}

// The keys of the answer file and the switches with a value, by name.
enum class Key { Language, Type, Destination, Group, Log, SaveAnswers, LoadAnswers, NoRestart, Silent, Unknown };

struct KeyName {
    const char* name;
    Key key;
};

const KeyName kKeyNames[] = {
    {"lang", Key::Language},     {"type", Key::Type},           {"dir", Key::Destination},
    {"group", Key::Group},       {"log", Key::Log},             {"saveinf", Key::SaveAnswers},
    {"loadinf", Key::LoadAnswers}, {"norestart", Key::NoRestart}, {"s", Key::Silent},
};

Key keyNamed(const char* name, std::size_t length) {
    for (const KeyName& k : kKeyNames)
        if (sameWord(name, length, k.name)) return k.key;
    return Key::Unknown;
}

char* textField(SetupOptions& o, Key key) {
    switch (key) {
    case Key::Language: return o.language;
    case Key::Destination: return o.destination;
    case Key::Group: return o.programFolder;
    case Key::Log: return o.logFile;
    case Key::SaveAnswers: return o.saveAnswers;
    case Key::LoadAnswers: return o.loadAnswers;
    default: return nullptr;
    }
}

bool isGiven(const SetupOptions& o, Key key) {
    if (key == Key::Type) return o.setupType != SetupTypeChoice::Unset;
    if (key == Key::NoRestart) return o.noRestartGiven;
    if (key == Key::Silent) return o.unattended;
    char* field = textField(const_cast<SetupOptions&>(o), key);
    return field != nullptr && field[0] != '\0';
}

// "what: name", the name cut to what fits (a reason is read, not parsed).
bool fail(Reason& reason, const char* what, const char* name) {
    copyInto(reason, what);
    if (name[0] == '\0') return false;
    std::size_t used = std::strlen(reason);
    for (const char* p = ": "; *p && used + 1 < sizeof(reason); ++p) reason[used++] = *p;
    for (const char* p = name; *p && used + 1 < sizeof(reason); ++p) reason[used++] = *p;
    reason[used] = '\0';
    return false;
}

// Sets one value. `name` is how the source spelled it, for the reason.
bool setValue(SetupOptions& o, Key key, const char* value, bool hasValue, const char* name, Reason& reason) {
    if (key == Key::Silent) {
        if (hasValue) return fail(reason, "the switch takes no value", name);
        o.unattended = true;
        return true;
    }
    if (key == Key::NoRestart) {
        if (!hasValue || sameWord(value, std::strlen(value), "1") || sameWord(value, std::strlen(value), "yes")) {
            o.noRestart = true;
        } else if (sameWord(value, std::strlen(value), "0") || sameWord(value, std::strlen(value), "no")) {
            o.noRestart = false;
        } else {
            return fail(reason, "norestart is 1 or 0", name);
        }
        o.noRestartGiven = true;
        return true;
    }
    if (!hasValue || value[0] == '\0') return fail(reason, "a value is needed after =", name);
    if (key == Key::Type) {
        const std::size_t length = std::strlen(value);
        if (sameWord(value, length, "3d")) o.setupType = SetupTypeChoice::First3D;
        else if (sameWord(value, length, "4d")) o.setupType = SetupTypeChoice::Second4D;
        else return fail(reason, "the setup type is 3D or 4D, not", value);
        return true;
    }
    if (key == Key::Language) {
        const std::size_t length = std::strlen(value);
        if (length != 3) return fail(reason, "a language is a three-letter code such as enu, not", value);
        for (std::size_t i = 0; i < 3; ++i) o.language[i] = lowerAscii(value[i]);
        o.language[3] = '\0';
        return true;
    }
    if (!copyBounded(textField(o, key), kOptionTextCapacity, value))
        return fail(reason, "the value is longer than 259 bytes", name);
    return true;
}

}  // namespace

bool SetupOptions::needsOptionEntry() const {
    return unattended || setupType != SetupTypeChoice::Unset || language[0] || destination[0] || programFolder[0] ||
           logFile[0] || saveAnswers[0] || loadAnswers[0];
}

const char* argumentsOf(const char* commandLine) {
    if (commandLine == nullptr) return "";
    const char* p = commandLine;
    while (isBlank(*p)) ++p;
    bool quoted = false;
    for (; *p && (quoted || !isBlank(*p)); ++p)
        if (*p == '"') quoted = !quoted;
    while (isBlank(*p)) ++p;
    return p;
}

bool parseSetupOptions(const char* arguments, SetupOptions& options, Reason& reason) {
    reason[0] = '\0';
    const char* line = arguments != nullptr ? arguments : "";
    char word[1024];
    bool failed = false;
    // After the first bad word only /s and /log are still taken, wherever
    // they stand: the refusal is reported the way the administrator asked.
    const auto refuse = [&](const char* what, const char* name) { return failed = true, fail(reason, what, name); };
    for (;;) {
        while (isBlank(*line)) ++line;
        if (*line == '\0') return !failed;
        if (!nextWord(line, word)) {
            if (!failed) refuse("an argument is longer than 1023 bytes", "");
            continue;
        }
        if (word[0] != '/' && word[0] != '-') {
            if (failed) continue;
            if (options.sourceFolder[0] != '\0') refuse("a second source folder", word);
            else if (!copyInto(options.sourceFolder, word)) refuse("the source folder is longer than 259 bytes", "");
            continue;
        }
        const char* name = word + 1;
        const char* equals = std::strchr(name, '=');
        const std::size_t nameLength = equals != nullptr ? static_cast<std::size_t>(equals - name) : std::strlen(name);
        const Key key = keyNamed(name, nameLength);
        if (failed) {
            Reason ignored;
            if ((key == Key::Silent || key == Key::Log) && !isGiven(options, key))
                setValue(options, key, equals != nullptr ? equals + 1 : "", equals != nullptr, word, ignored);
            continue;
        }
        if (key == Key::Unknown) refuse("unknown switch", word);
        else if (isGiven(options, key)) refuse("switch given twice", word);
        else if (!setValue(options, key, equals != nullptr ? equals + 1 : "", equals != nullptr, word, reason))
            failed = true;
    }
}

bool applyAnswerText(const char* text, std::size_t length, SetupOptions& options, Reason& reason) {
    reason[0] = '\0';
    if (length > kMaxAnswerFileBytes) return fail(reason, "the answer file is longer than 16384 bytes", "");
    if (text == nullptr) length = 0;
    for (std::size_t i = 0; i < length; ++i)
        if (text[i] == '\0') return fail(reason, "the answer file holds a NUL byte", "");
    // Keys the command line gave keep its values; the file may give each once.
    SetupOptions fromFile;
    bool inSetup = false;
    int lineNumber = 0;
    std::size_t at = 0;
    char lineText[1024];
    while (at < length) {
        ++lineNumber;
        std::size_t end = at;
        while (end < length && text[end] != '\n') ++end;
        std::size_t first = at, last = end;
        at = end + 1;
        while (first < last && (isBlank(text[first]) || text[first] == '\r')) ++first;
        while (last > first && (isBlank(text[last - 1]) || text[last - 1] == '\r')) --last;
        if (first == last || text[first] == ';' || text[first] == '#') continue;
        char where[32];
        formatInto(where, "line %d", lineNumber);
        if (last - first >= sizeof(lineText)) return fail(reason, "a line longer than 1023 bytes", where);
        std::memcpy(lineText, text + first, last - first);
        lineText[last - first] = '\0';
        if (lineText[0] == '[') {
            inSetup = sameWord(lineText, last - first, "[setup]");
            if (!inSetup) return fail(reason, "a section other than [Setup]", lineText);
            continue;
        }
        if (!inSetup) return fail(reason, "a line before the [Setup] section", where);
        char* equals = std::strchr(lineText, '=');
        if (equals == nullptr) return fail(reason, "a line without key=value", where);
        char* nameEnd = equals;
        while (nameEnd > lineText && isBlank(nameEnd[-1])) --nameEnd;
        char* value = equals + 1;
        while (isBlank(*value)) ++value;
        // A value may be quoted as on the command line.
        const std::size_t valueLength = std::strlen(value);
        if (valueLength >= 2 && value[0] == '"' && value[valueLength - 1] == '"') {
            value[valueLength - 1] = '\0';
            ++value;
        }
        const Key key = keyNamed(lineText, static_cast<std::size_t>(nameEnd - lineText));
        *nameEnd = '\0';
        if (key == Key::Unknown || key == Key::Silent || key == Key::SaveAnswers || key == Key::LoadAnswers)
            return fail(reason, "unknown key in the answer file", lineText);
        if (isGiven(fromFile, key)) return fail(reason, "key given twice in the answer file", lineText);
        if (!setValue(fromFile, key, value, true, lineText, reason)) return false;
    }
    if (!isGiven(options, Key::Type)) options.setupType = fromFile.setupType;
    if (!isGiven(options, Key::NoRestart)) {
        options.noRestart = fromFile.noRestart;
        options.noRestartGiven = fromFile.noRestartGiven;
    }
    const Key texts[] = {Key::Language, Key::Destination, Key::Group, Key::Log};
    for (Key key : texts)
        if (!isGiven(options, key)) std::memcpy(textField(options, key), textField(fromFile, key), kOptionTextCapacity);
    return true;
}

bool formatSetupArguments(const SetupOptions& o, char* out, std::size_t capacity) {
    if (!copyBounded(out, capacity, o.unattended ? "/s" : "")) return false;
    if (o.noRestart && !appendBounded(out, capacity, " /norestart")) return false;
    if (o.setupType != SetupTypeChoice::Unset &&
        !appendBounded(out, capacity, o.setupType == SetupTypeChoice::First3D ? " /type=3D" : " /type=4D"))
        return false;
    struct Switch {
        const char* name;
        const char* value;
    };
    const Switch switches[] = {{"lang", o.language},     {"dir", o.destination},      {"group", o.programFolder},
                               {"log", o.logFile},       {"saveinf", o.saveAnswers}, {"loadinf", o.loadAnswers}};
    char one[kOptionTextCapacity + 16];
    for (const Switch& s : switches) {
        if (s.value[0] == '\0') continue;
        if (!formatInto(one, " \"/%s=%s\"", s.name, s.value) || !appendBounded(out, capacity, one)) return false;
    }
    return true;
}

bool formatAnswerText(const SetupOptions& o, char* out, std::size_t capacity) {
    if (!formatBounded(out, capacity, "[Setup]\r\n")) return false;
    const char* type = o.setupType == SetupTypeChoice::First3D ? "3D" : o.setupType == SetupTypeChoice::Second4D ? "4D" : "";
    struct Line {
        const char* name;
        const char* value;
    };
    const Line lines[] = {{"lang", o.language}, {"type", type}, {"dir", o.destination}, {"group", o.programFolder}};
    char one[kOptionTextCapacity + 16];
    for (const Line& line : lines) {
        if (line.value[0] == '\0') continue;
        if (!formatInto(one, "%s=%s\r\n", line.name, line.value) || !appendBounded(out, capacity, one)) return false;
    }
    return !o.noRestart || appendBounded(out, capacity, "norestart=1\r\n");
}

}  // namespace kv
