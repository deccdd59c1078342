#pragma once

#include <string>
#include <vector>

namespace quorbel::testing {

// What the program sends to the surface, as the simulated surface logs it.
inline const std::string kIdentityRequest = "F0 7D 25 03 F7";
inline const std::string kConfiguration = "F0 7D 25 02 01 01 00 00 F7";
inline const std::string kGreeting = "Brenlow Electronics Quorbel Series";

inline std::vector<std::string> Join(std::vector<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// A display text: the position message, then one message per character.
inline std::vector<std::string> DisplayMessages(const std::string& text, int position) {
  static const char* digits = "0123456789ABCDEF";
  auto hex = [](int value) { return std::string{digits[(value >> 4) & 0xF], digits[value & 0xF]}; };
  std::vector<std::string> messages = {"BF 14 " + hex(position)};
  for (char c : text) messages.push_back("BF 15 " + hex(static_cast<unsigned char>(c)));
  return messages;
}

inline std::vector<std::string> GreetingMessages() { return DisplayMessages(kGreeting, 2); }

// The layer line of layer 0 or 1, with the Shift lamp that shows the layer.
inline std::vector<std::string> LayerLineMessages(int layer) {
  return Join({DisplayMessages("Current Keyset Layer " + std::to_string(layer + 1), 72),
               {layer == 0 ? "BF 13 14" : "BF 12 14"}});
}

inline std::vector<std::string> InitialisationMessages(int layer) {
  return Join({{kConfiguration},
               GreetingMessages(),
               LayerLineMessages(layer),
               {"BF 67 00"},
               std::vector<std::string>(8, "BF 68 7D")});
}

}  // namespace quorbel::testing
