// Lines that tell an administrator what an installation does, step by step,
// as it does it. Nothing goes anywhere unless a sink is set: the unattended
// run sets one for its log file; the wizard's run reports to no one. The
// sink is called on the thread that reports (the unattended run does every
// step on its own thread).
#pragma once

namespace kv {

using StepReportSink = void (*)(void* context, const char* line);

void setStepReportSink(StepReportSink sink, void* context);
// True while a sink is set: callers skip work done only for the report.
bool stepReportActive();
// One line, printf-style; a line longer than 1 KiB is cut, never lost.
void reportStep(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace kv
