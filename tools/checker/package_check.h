// The package checker: reads a package folder with the engine's own reading
// code and reports what a real run would get wrong.
#pragma once
#include "findings.h"

#include <string>

namespace kvcheck {

// False when the check could not run (no such folder, or a folder path the
// engine cannot hold); `findings` then says why.
bool checkPackage(const std::string& folder, Findings& findings);

}  // namespace kvcheck
