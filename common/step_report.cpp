#include "common/step_report.h"

#include "base/bounded_format.h"

#include <cstdarg>
#include <cstring>

namespace kv {
namespace {

StepReportSink activeSink = nullptr;
void* sinkContext = nullptr;

}  // namespace

void setStepReportSink(StepReportSink sink, void* context) {
    activeSink = sink;
    sinkContext = context;
}

bool stepReportActive() { return activeSink != nullptr; }

void reportStep(const char* format, ...) {
    if (activeSink == nullptr) return;
    char line[1024];
    va_list args;
    va_start(args, format);
    const bool fitted = formatBoundedList(line, sizeof(line), format, args);
    va_end(args);
    // Too long for the line: the start of it says what happened.
    if (!fitted) copyInto(line, "(a line too long for the log)");
    activeSink(sinkContext, line);
}

}  // namespace kv
