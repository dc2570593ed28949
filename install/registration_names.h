// Registry names shared by the registration steps, all below HKLM.
#pragma once

namespace kv {

constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kAutoStartValueName[] = "QRXTARNWELDMOUSE";
constexpr char kProductKey[] = "Software\\TARNWELDMouse";
constexpr char kInstallCountKeyFormat[] = "SOFTWARE\\MORVASETUP\\%s";
constexpr char kInstallCountValueName[] = "INSTALLCOUNT";
constexpr char kUninstallKeyFormat[] = "Software\\Microsoft\\windows\\CurrentVersion\\Uninstall\\%s";

}  // namespace kv
