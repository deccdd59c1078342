#include "tools/surface/SurfaceState.h"

#include <cstdio>

namespace quorbel::surfacetool {

namespace {

// Display text between double quotes; quotes, backslashes and codes that are
// not printable are escaped so that one cell never breaks the line.
std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (code < 0x20 || code > 0x7E) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", code);
      quoted += escaped;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

}  // namespace

SurfaceState::SurfaceState() { display_.fill(' '); }

ProgramMessage SurfaceState::Apply(std::span<const std::uint8_t> message) {
  const ProgramMessage kind = Classify(message);
  ++counts_[static_cast<std::size_t>(kind)];
  switch (kind) {
    case ProgramMessage::LampOn:
    case ProgramMessage::LampOff:
      if (message[2] < kLampCount) lamps_[message[2]] = kind == ProgramMessage::LampOn;
      break;
    case ProgramMessage::DisplayPosition:
      cursor_ = message[2];
      break;
    case ProgramMessage::DisplayCharacter:
      WriteCharacter(message[2]);
      break;
    default:
      break;
  }
  return kind;
}

void SurfaceState::WriteCharacter(std::uint8_t code) {
  // Characters past the end of the display are lost; the cursor still moves.
  if (cursor_ >= 0 && cursor_ < kDisplayCells) {
    const auto cell = static_cast<std::size_t>(cursor_);
    display_[cell] = static_cast<char>(code);
    written_[cell] = true;
  }
  ++cursor_;
}

bool SurfaceState::LampOn(int control) const {
  return control >= 0 && control < kLampCount && lamps_[static_cast<std::size_t>(control)];
}

std::string SurfaceState::DisplayAt(int position) const {
  std::string text;
  for (int cell = position; cell >= 0 && cell < kDisplayCells; ++cell) {
    const auto index = static_cast<std::size_t>(cell);
    if (!written_[index]) break;
    text += display_[index];
  }
  return text;
}

std::optional<char> SurfaceState::DisplayCell(int position) const {
  if (position < 0 || position >= kDisplayCells) return std::nullopt;
  const auto cell = static_cast<std::size_t>(position);
  if (!written_[cell]) return std::nullopt;
  return display_[cell];
}

int SurfaceState::Count(ProgramMessage kind) const {
  return counts_[static_cast<std::size_t>(kind)];
}

std::vector<std::string> SurfaceState::Describe() const {
  std::vector<std::string> lines;
  std::string lampLine = "lamps";
  for (int control = 0; control < kLampCount; ++control) {
    if (LampOn(control)) lampLine += " " + std::to_string(control);
  }
  lines.push_back(lampLine == "lamps" ? "lamps none" : lampLine);

  for (int cell = 0; cell < kDisplayCells; ++cell) {
    const bool runStarts = written_[static_cast<std::size_t>(cell)] &&
                           (cell == 0 || !written_[static_cast<std::size_t>(cell - 1)]);
    if (runStarts)
      lines.push_back("display " + std::to_string(cell) + " " + Quoted(DisplayAt(cell)));
  }

  lines.push_back("config " + std::to_string(Count(ProgramMessage::Configuration)));
  lines.push_back("closing " + std::to_string(Count(ProgramMessage::ClosingFirst)) + " " +
                  std::to_string(Count(ProgramMessage::ClosingSecond)));
  lines.push_back("identity " + std::to_string(Count(ProgramMessage::IdentityRequest)));
  lines.push_back("unknown " + std::to_string(Count(ProgramMessage::Unknown)));
  return lines;
}

}  // namespace quorbel::surfacetool
