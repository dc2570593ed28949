// The uninstall log codec on any bytes: decoding never reads past the end,
// the records decoded encode back to the bytes they came from, and whatever
// is encoded decodes to itself.
#include "toolsupport/log_record.h"
#include "fuzz_input.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An exact-size copy: a read past the end is a heap overflow.
    const std::vector<std::uint8_t> bytes(data, data + size);
    std::vector<kv::LogRecord> records;
    const bool whole = kv::decodeLog(bytes, records);

    std::vector<std::uint8_t> again;
    for (const kv::LogRecord& record : records) {
        FUZZ_CHECK(record.text.find('\0') == std::string::npos);
        const std::vector<std::uint8_t> one = kv::encodeLogRecord(record.type, record.text);
        again.insert(again.end(), one.begin(), one.end());
    }
    // Whole: the same bytes. Ending inside a record: the whole records before it.
    FUZZ_CHECK(whole ? again == bytes
                     : again.size() < bytes.size() &&
                           std::equal(again.begin(), again.end(), bytes.begin()));

    std::vector<kv::LogRecord> decoded;
    FUZZ_CHECK(kv::decodeLog(again, decoded));
    FUZZ_CHECK(decoded == records);
    for (const kv::LogRecord& record : records) FUZZ_CHECK(kv::logRecordTypeName(record.type) != nullptr);
    return 0;
}
