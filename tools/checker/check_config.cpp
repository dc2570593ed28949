// kvsetup.ini: every value the engine reads, what it resolves them to, and
// the sections and keys it never reads.
#include "base/bounded_format.h"
#include "check_context.h"
#include "install/install_state.h"
#include "common/setup_config.h"
#include "install/settings_transfer.h"

#include <cstring>

namespace kvcheck {
namespace {

struct ReadKey {
    const char* section;
    const char* key;
    bool required;     // an empty value spoils what the user sees or where files go
    const char* role;
};

// Without these the run shows no product name, installs into the
// program-files folder itself or makes its shortcuts at the Start menu's root.
bool isRequired(const char* section, const char* key) {
    static const char* const kRequired[][2] = {
        {"Product", "Product"}, {"Product", "Key"}, {"Target", "Dir"},
        {"Target", "Folder"},   {"Display Name", "Name"},
    };
    for (const auto& pair : kRequired)
        if (std::strcmp(pair[0], section) == 0 && std::strcmp(pair[1], key) == 0) return true;
    return false;
}

std::vector<ReadKey> keysTheEngineReads() {
    std::vector<ReadKey> keys;
    int count = 0;
    const kv::ConfigKey* config = kv::configKeys(count);
    for (int i = 0; i < count; ++i)
        keys.push_back({config[i].section, config[i].key, isRequired(config[i].section, config[i].key),
                        "setup"});
    kv::TransferredKey key{};
    for (int i = 0; kv::transferredKey(i, key); ++i)
        keys.push_back({key.section, key.key, false, key.target});
    return keys;
}

// Package files may carry these too; nothing reads them, and nothing should
// be said about them.
const char* const kKnownUnread[][2] = {{"Product", "Version"}, {"Uninstall", "DisplayName"}, {"Uninstall", "Key"}};

bool isKnownKey(const std::vector<ReadKey>& keys, const std::string& section, const std::string& key) {
    for (const ReadKey& k : keys)
        if (sameName(section, k.section) && sameName(key, k.key)) return true;
    for (const auto& pair : kKnownUnread)
        if (sameName(section, pair[0]) && sameName(key, pair[1])) return true;
    return false;
}

std::vector<std::string> knownSections(const std::vector<ReadKey>& keys) {
    std::vector<std::string> names;
    auto addOnce = [&](const char* name) {
        for (const std::string& n : names)
            if (sameName(n, name)) return;
        names.push_back(name);
    };
    for (const ReadKey& k : keys) addOnce(k.section);
    for (const auto& pair : kKnownUnread) addOnce(pair[0]);
    addOnce("Icons");
    return names;
}

std::vector<std::string> knownKeysOf(const std::vector<ReadKey>& keys, const std::string& section) {
    std::vector<std::string> names;
    for (const ReadKey& k : keys)
        if (sameName(section, k.section)) names.push_back(k.key);
    for (const auto& pair : kKnownUnread)
        if (sameName(section, pair[0])) names.push_back(pair[1]);
    return names;
}

void checkValues(CheckContext& context, const std::vector<ReadKey>& keys, const std::string& path) {
    for (const ReadKey& k : keys) {
        const IniEntry* entry = findEntry(findSection(context.config, k.section), k.key);
        const int line = entry ? entry->line : 0;
        const std::string name = std::string("[") + k.section + "] " + k.key;
        const std::string value = readProfileValue(path, k.section, k.key);
        const Level level = k.required ? Level::kError : Level::kWarning;
        if (value.empty()) {
            context.findings.add(level, kConfigFile, line,
                                 name + (entry ? " is empty" : " is missing") +
                                     ": the run uses an empty value");
            continue;
        }
        context.findings.info(kConfigFile, line, name + " = " + quoted(value) +
                                                     (std::strcmp(k.role, "setup") == 0
                                                          ? ""
                                                          : std::string(" (copied into ") + k.role + ")"));
        if (value.size() >= kv::kPathCapacity)
            context.findings.error(kConfigFile, line,
                                   name + " has " + std::to_string(value.size()) +
                                       " characters; the engine reads only the first 259");
    }
}

void checkUnreadNames(CheckContext& context, const std::vector<ReadKey>& keys) {
    for (int line : context.config.linesOutsideSections)
        context.findings.warning(kConfigFile, line, "text before the first section is never read");
    const std::vector<std::string> sections = knownSections(keys);
    for (const IniSection& section : context.config.sections) {
        const IniSection* first = findSection(context.config, section.name.c_str());
        if (first != &section) {
            context.findings.warning(kConfigFile, section.line,
                                     "[" + section.name + "] repeats the section on line " +
                                         std::to_string(first->line) +
                                         "; the reader only looks in the first one");
            continue;
        }
        bool known = false;
        for (const std::string& name : sections) known = known || sameName(section.name, name.c_str());
        if (!known) {
            context.findings.warning(kConfigFile, section.line,
                                     "section [" + section.name + "] is never read" +
                                         nearestName(section.name, sections));
            continue;
        }
        if (sameName(section.name, "Icons")) continue;  // the shortcut check reads these
        const std::vector<std::string> sectionKeys = knownKeysOf(keys, section.name);
        for (const IniEntry& entry : section.entries) {
            const std::string name = "[" + section.name + "] " + entry.key;
            const IniEntry* firstEntry = findEntry(&section, entry.key.c_str());
            if (!entry.hasEquals) {
                context.findings.warning(kConfigFile, entry.line, "line without '=' in [" + section.name +
                                                                      "] is never read");
            } else if (firstEntry != &entry) {
                context.findings.warning(kConfigFile, entry.line,
                                         name + " repeats line " + std::to_string(firstEntry->line) +
                                             "; only the first is read");
            } else if (!isKnownKey(keys, section.name, entry.key)) {
                context.findings.warning(kConfigFile, entry.line,
                                         "key " + name + " is never read" + nearestName(entry.key, sectionKeys));
            }
        }
    }
}

// The engine's own loader, as a run calls it: what the run would use.
void checkResolvedValues(CheckContext& context) {
    kv::loadSetupConfig(kv::installState.sourceDir, kv::installState.startDir, kv::installState.destinationDir);
    const std::string targetDir = kv::textOrEmpty(kv::setupConfig.targetDir);
    const int dirLine = [&] {
        const IniEntry* e = findEntry(findSection(context.config, "Target"), "Dir");
        return e ? e->line : 0;
    }();
    if (kv::installState.destinationDir[0] == '\0')
        context.findings.error(kConfigFile, dirLine,
                               "the default destination folder (program-files folder, \"\\\", [Target] Dir) "
                               "does not fit 259 characters: the destination page starts empty");
    else
        context.findings.info(kConfigFile, dirLine,
                              std::string("default destination folder on this system: ") +
                                  quoted(kv::installState.destinationDir));
    // Every file is copied to "<destination>\<name>"; a path that does not
    // fit is refused, so the file would be missing from the installation.
    const std::string destination = kv::installState.destinationDir;
    for (const std::string& name : installedFileNames()) {
        if (destination.empty() || destination.size() + 1 + name.size() < kv::kPathCapacity) continue;
        context.findings.error(kConfigFile, dirLine,
                               "the default destination folder is too long for " + name + " (" +
                                   std::to_string(destination.size() + 1 + name.size()) +
                                   " characters, 259 fit): such files are not installed");
        break;
    }
    if (targetDir.find_first_of("/:*?\"<>|") != std::string::npos)
        context.findings.error(kConfigFile, dirLine, "[Target] Dir " + quoted(targetDir) +
                                                         " holds a character not allowed in folder names");
    const std::string folder = kv::textOrEmpty(kv::setupConfig.programFolder);
    if (folder.find_first_of("/:*?\"<>|") != std::string::npos)
        context.findings.error(kConfigFile, 0, "[Target] Folder " + quoted(folder) +
                                                   " holds a character not allowed in folder names");
    const std::string key = kv::textOrEmpty(kv::setupConfig.productKey);
    if (!key.empty() && !isInstalledFile(key)) {
        const IniEntry* e = findEntry(findSection(context.config, "Product"), "Key");
        context.findings.warning(kConfigFile, e ? e->line : 0,
                                 "[Product] Key " + quoted(key) +
                                     " (started at log-on) is no file the run installs");
    }
    context.findings.info(kConfigFile, 0,
                          "product " + quoted(kv::textOrEmpty(kv::setupConfig.productName)) +
                              ", program folder " + quoted(folder) + ", install names " +
                              quoted(kv::textOrEmpty(kv::setupConfig.mainTitle)) + " and " +
                              quoted(kv::textOrEmpty(kv::setupConfig.captionBar)));
    kv::releaseSetupConfig();
}

}  // namespace

void checkConfig(CheckContext& context) {
    const std::string path = packagePath(context, kConfigFile);
    std::string bytes;
    context.haveConfig = readWholeFile(path, bytes);
    if (!context.haveConfig) {
        context.findings.error(kConfigFile, 0, "missing: every value of the run would be empty");
        return;
    }
    context.config = scanIni(bytes);
    const std::vector<ReadKey> keys = keysTheEngineReads();
    checkValues(context, keys, path);
    checkUnreadNames(context, keys);
    checkResolvedValues(context);
}

}  // namespace kvcheck
