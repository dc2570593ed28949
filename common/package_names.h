// Names of the package layout shared by the loader and the install steps.
#pragma once

namespace kv {

constexpr const char kConfigFileName[] = "kvsetup.ini";
constexpr const char kLanguageFolder[] = "kv-00001\\";  // trailing separator included
constexpr const char kLanguageFileStem[] = "kvsetlan";

}  // namespace kv
