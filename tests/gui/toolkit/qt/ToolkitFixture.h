#pragma once

#include <gtest/gtest.h>

#include <QMainWindow>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/qt/QtToolkit.h"

namespace quorbel::ui {

// A toolkit with the main form open, recording every event it sends.
class ToolkitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    kit.SetCallbacks(
        [this](const std::string& form) {
          if (layout) layout(form);
        },
        [this](Event& event) {
          events.push_back(event);
          if (handler) handler(event);
        });
    kit.CreateForm("MAIN", "", "QuorbelU", Rect{0, 0, 126.875, 32.4375}, "_C", 15, 32);
  }

  void Add(ControlKind kind, int id, Rect place, const std::string& text = "",
           const std::string& letters = "") {
    kit.AddControl("main", ControlDefinition{kind, id, place, text, letters});
  }

  QWidget* Control(int id) const { return kit.ControlWidget("MAIN", id); }
  QWidget* Client() const {
    return static_cast<QMainWindow*>(kit.FormWidget("MAIN"))->centralWidget();
  }

  // The events of one code, in order.
  std::vector<Event> Sent(int code) const {
    std::vector<Event> sent;
    for (const Event& event : events) {
      if (event.code == code) sent.push_back(event);
    }
    return sent;
  }

  std::vector<Event> events;
  std::function<void(Event&)> handler;
  std::function<void(const std::string&)> layout;
  QtToolkit kit;  // last, so that it goes first and its windows' events find the above
};

}  // namespace quorbel::ui
