#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace quorbel::wayland {

// Fields of a compositor's JSON answer read without throwing: a field that is
// missing or of another type reads as absent.

inline const nlohmann::json* Field(const nlohmann::json& object, const char* name) {
  if (!object.is_object()) return nullptr;
  auto found = object.find(name);
  return found == object.end() ? nullptr : &*found;
}

inline std::optional<long long> IntegerField(const nlohmann::json& object, const char* name) {
  const nlohmann::json* value = Field(object, name);
  if (value == nullptr || !value->is_number()) return std::nullopt;
  return value->is_number_float() ? static_cast<long long>(value->get<double>())
                                  : value->get<long long>();
}

inline std::string TextField(const nlohmann::json& object, const char* name) {
  const nlohmann::json* value = Field(object, name);
  return value != nullptr && value->is_string() ? value->get<std::string>() : std::string();
}

inline bool FlagField(const nlohmann::json& object, const char* name) {
  const nlohmann::json* value = Field(object, name);
  return value != nullptr && value->is_boolean() && value->get<bool>();
}

inline int ToInt(std::optional<long long> value) {
  constexpr long long kLimit = 1LL << 30;
  return value && *value > -kLimit && *value < kLimit ? static_cast<int>(*value) : 0;
}

}  // namespace quorbel::wayland
