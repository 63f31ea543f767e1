#pragma once
// Which device a serial port name COM1..COM8 means on this machine.
#include <QString>

namespace vela::platform {

inline constexpr int kFirstComPort = 1;
inline constexpr int kLastComPort = 8;

/// @brief Device of COMn: "\\.\COMn" on Windows; on Linux the environment variable VELA_COMn,
/// else the "Serial Ports" entry "COMn" of
/// the settings file, else (in this order) the USB serial adapters /dev/ttyUSB*, /dev/ttyACM*,
/// then the built-in /dev/ttyS*, numbered from COM1. Empty for a port outside 1..8.
[[nodiscard]] QString deviceForComPort(int port);

/// Settings section and key that map a port to a device.
inline constexpr const char* kSerialPortsSection = "Serial Ports";

} // namespace vela::platform
