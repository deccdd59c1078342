#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace quorbel::surfacetool {

// The simulated surface's end of the cable: a pseudo-terminal whose other end
// the editor opens as "Com n" through the link <dir>/ports/comN. The surface
// holds the terminal's device open itself, so the editor can close and reopen
// the port without the line going dead; only Unplug hangs it up.
class PseudoTerminal {
 public:
  PseudoTerminal(std::string dir, int port);
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  // Opens a new pseudo-terminal in raw mode and points the link at it. On
  // failure returns false with the reason in `error`, and nothing stays open.
  bool Plug(std::string& error);
  // Hangs the line up for the editor and removes the link, if it is still ours.
  void Unplug();
  bool Plugged() const { return controller_ >= 0; }

  // Readable when the editor has sent bytes; -1 while unplugged.
  int Descriptor() const { return controller_; }
  const std::string& LinkPath() const { return linkPath_; }
  const std::string& DevicePath() const { return devicePath_; }

  // What the editor sent, without waiting; 0 when nothing is there.
  std::size_t Read(std::uint8_t* buffer, std::size_t count);
  // Sends all bytes, waiting a little while the editor's queue is full.
  bool Write(std::span<const std::uint8_t> bytes);

 private:
  bool Link(std::string& error);

  std::string dir_;
  int port_;
  std::string linkPath_;
  std::string devicePath_;
  int controller_ = -1;
  int device_ = -1;
};

}  // namespace quorbel::surfacetool
