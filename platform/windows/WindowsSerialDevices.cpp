#include "platform/windows/WindowsSerialDevices.h"

#include <windows.h>

#include <algorithm>
#include <cctype>

#include "platform/windows/WideText.h"

namespace quorbel {

namespace {

constexpr int kLastSystemPort = 255;

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::optional<int> ComPortNumber(const std::string& name) {
  std::string upper = Upper(name);
  if (upper.starts_with("\\\\.\\")) upper.erase(0, 4);
  if (!upper.starts_with("COM") || upper.size() < 4 || upper.size() > 6) return std::nullopt;
  int number = 0;
  for (std::size_t i = 3; i < upper.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(upper[i]))) return std::nullopt;
    number = number * 10 + (upper[i] - '0');
  }
  if (upper[3] == '0' || number < 1 || number > kLastSystemPort) return std::nullopt;
  return number;
}

std::vector<WindowsSerialDevices::ListedPort> WindowsSerialDevices::ListPorts() {
  std::vector<ListedPort> ports;
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
      ERROR_SUCCESS) {
    return ports;
  }
  for (DWORD index = 0;; ++index) {
    // Value names are device paths (at most 16383 characters), data port names.
    std::wstring device(16384, L'\0');
    DWORD deviceLength = static_cast<DWORD>(device.size());
    std::wstring port(256, L'\0');
    DWORD portBytes = static_cast<DWORD>(port.size() * sizeof(wchar_t));
    DWORD type = 0;
    const LONG result = ::RegEnumValueW(key, index, device.data(), &deviceLength, nullptr, &type,
                                        reinterpret_cast<BYTE*>(port.data()), &portBytes);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS || type != REG_SZ) continue;
    device.resize(deviceLength);
    port.resize(portBytes / sizeof(wchar_t));
    while (!port.empty() && port.back() == L'\0') port.pop_back();
    ports.push_back({Utf8FromWide(port), Utf8FromWide(device)});
  }
  ::RegCloseKey(key);
  return ports;
}

std::vector<SerialDevice> WindowsSerialDevices::Detect() {
  std::vector<std::pair<int, SerialDevice>> numbered;
  for (const ListedPort& listed : ListPorts()) {
    const std::optional<int> number = ComPortNumber(listed.port);
    if (!number) continue;
    SerialDevice device;
    device.path = "COM" + std::to_string(*number);
    device.name = "Com " + std::to_string(*number) +
                  (listed.device.empty() ? std::string() : " (" + listed.device + ")");
    numbered.emplace_back(*number, device);
  }
  std::sort(numbered.begin(), numbered.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<SerialDevice> found;
  for (auto& [number, device] : numbered) {
    if (found.empty() || found.back().path != device.path) found.push_back(device);
  }
  return found;
}

std::string WindowsSerialDevices::LinkPort(int portNumber, const std::string& devicePath) {
  const std::optional<int> own = ComPortNumber(devicePath);
  if (!own) return "There is no serial port " + devicePath + ".";
  if (*own == portNumber) return {};
  return "On Windows this device is always Com " + std::to_string(*own) + ": connect it as Com " +
         std::to_string(*own) + ".";
}

bool WindowsSerialDevices::TakeChanges() {
  std::vector<std::string> now;
  for (const SerialDevice& device : Detect()) now.push_back(device.path);
  // The first look has nothing to compare with: a change is possible.
  const bool changed = !looked_ || now != seen_;
  looked_ = true;
  seen_ = std::move(now);
  return changed;
}

}  // namespace quorbel
