#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "toolkit/win32/Win32Toolkit.h"

namespace quorbel::ui {

// A Win32 toolkit with a form "main" of 40 by 20 columns and rows, and the
// events it reports written down.
class ToolkitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    kit.SetCallbacks([this](const std::string& form) { laidOut.push_back(form); },
                     [this](Event& event) {
                       events.push_back(event);
                       if (onEvent) onEvent(event);
                     });
    kit.CreateForm("main", "", "Quorbel", Rect{2, 1, 40, 20}, "", kDefaultColour, kDefaultColour);
  }

  static ControlDefinition Define(ControlKind kind, int id, Rect place,
                                  const std::string& text = "", const std::string& letters = "") {
    ControlDefinition definition;
    definition.kind = kind;
    definition.id = id;
    definition.place = place;
    definition.text = text;
    definition.letters = letters;
    return definition;
  }

  void Add(ControlKind kind, int id, Rect place, const std::string& text = "",
           const std::string& letters = "") {
    kit.AddControl("main", Define(kind, id, place, text, letters));
  }

  // Serves the toolkit's messages until `done` holds or ten seconds passed.
  template <typename Done>
  void ServeUntil(Done done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done() && std::chrono::steady_clock::now() < deadline) kit.Delay(0.005f);
  }

  int CountEvents(int id, int code) const {
    int count = 0;
    for (const Event& event : events) count += event.id == id && event.code == code ? 1 : 0;
    return count;
  }

  Win32Toolkit kit;
  std::vector<std::string> laidOut;
  std::vector<Event> events;
  std::function<void(Event&)> onEvent;
};

}  // namespace quorbel::ui
