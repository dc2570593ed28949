#include "log_check.h"

#include <cstdio>

namespace kvlog {

bool isKnownRecordType(std::uint8_t type) {
    return type >= kv::kLogUninstallKey && type <= kv::kLogFile;
}

namespace {

std::string hexByte(std::uint8_t byte) {
    char text[8];
    std::snprintf(text, sizeof(text), "0x%02X", byte);
    return text;
}

}  // namespace

LogListing listLog(const std::vector<std::uint8_t>& bytes) {
    LogListing listing;
    std::vector<kv::LogRecord> records;
    const bool complete = kv::decodeLog(bytes, records);
    std::size_t offset = 0;
    for (kv::LogRecord& record : records) {
        if (!isKnownRecordType(record.type))
            listing.problems.push_back({offset, "unknown record type " + hexByte(record.type)});
        if (record.text.empty())
            listing.problems.push_back({offset, "record with an empty text"});
        const std::size_t size = record.text.size() + 2;
        listing.records.push_back({offset, std::move(record)});
        offset += size;
    }
    if (!complete) {
        // The decoder stops at a record that has no end byte: a record that
        // begins well but was cut off, or bytes that are no record at all.
        const std::size_t left = bytes.size() - offset;
        if (left > 1 && isKnownRecordType(bytes[offset]))
            listing.problems.push_back({offset, "last record has no 0x00 terminator (" +
                                                    std::to_string(left) + " bytes)"});
        else
            listing.problems.push_back({offset, std::to_string(left) + " trailing byte" +
                                                    (left == 1 ? "" : "s") +
                                                    " after the last record"});
    }
    return listing;
}

}  // namespace kvlog
