// kvlog: lists and checks an uninstall log on the build machine.
//   kvlog [--json] FILE
// Exit code: 0 a well-formed log, 1 a malformed one, 2 the file cannot be read.
#include "log_check.h"
#include "tools/text_escape.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

// Texts are bytes in the installing system's code page: printable ASCII
// stays, every other byte is shown as \xNN so nothing is guessed.
std::string shown(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof(escape), "\\x%02X", c);
            out += escape;
        }
    }
    return out;
}

std::string jsonString(const std::string& text) { return "\"" + kvtools::escapedText(text, true) + "\""; }

void printText(const char* file, const kvlog::LogListing& listing) {
    std::printf("%s: %u records\n", file, static_cast<unsigned>(listing.records.size()));
    for (const kvlog::ListedRecord& r : listing.records)
        std::printf("  %6u  0x%02X %-16s %s\n", static_cast<unsigned>(r.offset), r.record.type,
                    kv::logRecordTypeName(r.record.type), shown(r.record.text).c_str());
    for (const kvlog::LogProblem& p : listing.problems)
        std::printf("error: %s: offset %u: %s\n", file, static_cast<unsigned>(p.offset),
                    p.what.c_str());
}

void printJson(const char* file, const kvlog::LogListing& listing) {
    std::printf("{\"file\": %s, \"valid\": %s, \"records\": [", jsonString(file).c_str(),
                listing.valid() ? "true" : "false");
    const char* separator = "";
    for (const kvlog::ListedRecord& r : listing.records) {
        std::printf("%s\n  {\"offset\": %u, \"type\": %u, \"kind\": %s, \"text\": %s}", separator,
                    static_cast<unsigned>(r.offset), r.record.type,
                    jsonString(kv::logRecordTypeName(r.record.type)).c_str(),
                    jsonString(r.record.text).c_str());
        separator = ",";
    }
    std::printf("],\n \"problems\": [");
    separator = "";
    for (const kvlog::LogProblem& p : listing.problems) {
        std::printf("%s\n  {\"offset\": %u, \"what\": %s}", separator,
                    static_cast<unsigned>(p.offset), jsonString(p.what).c_str());
        separator = ",";
    }
    std::printf("]}\n");
}

}  // namespace

int main(int argc, char** argv) {
    bool json = false;
    const char* file = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--json") == 0)
            json = true;
        else if (file == nullptr && argv[i][0] != '-')
            file = argv[i];
        else
            file = nullptr, i = argc;
    }
    if (file == nullptr) {
        std::fprintf(stderr, "usage: kvlog [--json] FILE\n");
        return 2;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "kvlog: cannot read %s\n", file);
        return 2;
    }
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
    const kvlog::LogListing listing = kvlog::listLog(bytes);
    if (json)
        printJson(file, listing);
    else
        printText(file, listing);
    return listing.valid() ? 0 : 1;
}
