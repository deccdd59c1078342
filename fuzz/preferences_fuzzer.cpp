// Parses arbitrary text as a preferences file: the settings that come out are
// always a port 1..32 or none, and one of the five rates or none.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "device/PreferencesText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  quorbel::LinkSettings settings;
  quorbel::ParsePreferences(text, settings);
  if (settings.CommPort != 0 && !quorbel::IsCommPort(settings.CommPort)) std::abort();
  if (settings.BaudRate != 0 && !quorbel::IsBaudRate(settings.BaudRate)) std::abort();
  return 0;
}
