#pragma once

#include "device/DeviceRunner.h"
#include "playback/HeldInput.h"
#include "playback/Playback.h"

namespace quorbel {

// The device thread as the link starts and stops it, together with the
// playback that runs on it: a stop cuts a playing sequence short and leaves
// no key held down; a start lets playback play again.
class PlayingDeviceRunner : public DeviceRunner {
 public:
  PlayingDeviceRunner(DeviceRunner& thread, Playback& playback, HeldInput& input)
      : thread_(thread), playback_(playback), input_(input) {}

  void Start() override;
  void Stop() override;
  bool Running() const override { return thread_.Running(); }
  bool HungUp() const override { return thread_.HungUp(); }
  void Hold() override { thread_.Hold(); }
  void LetGo() override { thread_.LetGo(); }
  void GiveBack(std::span<const std::uint8_t> bytes) override { thread_.GiveBack(bytes); }

 private:
  DeviceRunner& thread_;
  Playback& playback_;
  HeldInput& input_;
};

}  // namespace quorbel
