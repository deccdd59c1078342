#pragma once

namespace quorbel {

// The link to the surface as the preferences file keeps it.
struct LinkSettings {
  // COM port 1..32; 0 when not set, which opens port 1.
  int CommPort = 0;
  // 38400, 19200, 9600, 4800 or 2400; 0 when not set, which runs at 38400.
  int BaudRate = 0;

  friend bool operator==(const LinkSettings&, const LinkSettings&) = default;
};

inline constexpr int kFirstCommPort = 1;
inline constexpr int kLastCommPort = 32;
inline constexpr int kDefaultBaudRate = 38400;
inline constexpr int kBaudRates[] = {38400, 19200, 9600, 4800, 2400};

inline constexpr bool IsCommPort(long long n) { return n >= kFirstCommPort && n <= kLastCommPort; }

inline constexpr bool IsBaudRate(long long n) {
  for (int rate : kBaudRates) {
    if (n == rate) return true;
  }
  return false;
}

}  // namespace quorbel
