#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tools/surface/ProgramMessages.h"

namespace quorbel::surfacetool {

// What the program has told the surface so far: lamps, display, and how often
// each of the other messages came.
class SurfaceState {
 public:
  static constexpr int kLampCount = 128;
  static constexpr int kDisplayCells = 128;

  SurfaceState();

  // Takes one message in; returns what it was.
  ProgramMessage Apply(std::span<const std::uint8_t> message);

  bool LampOn(int control) const;
  // The characters written so far, from `position` up to the first cell never
  // written.
  std::string DisplayAt(int position) const;
  // The character at `position`; nothing for a cell never written.
  std::optional<char> DisplayCell(int position) const;

  int Count(ProgramMessage kind) const;

  // One line per item, stable for scripts:
  //   lamps 5 20            (lamps none)
  //   display 2 "text"      one line per run of written cells
  //   config 1 / closing 1 8 / identity 4 / unknown 0
  std::vector<std::string> Describe() const;

 private:
  void WriteCharacter(std::uint8_t code);

  std::bitset<kLampCount> lamps_;
  std::array<char, kDisplayCells> display_{};
  std::bitset<kDisplayCells> written_;
  int cursor_ = 0;
  std::array<int, static_cast<int>(ProgramMessage::Unknown) + 1> counts_{};
};

}  // namespace quorbel::surfacetool
