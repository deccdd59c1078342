#pragma once

namespace quorbel {

// The sequence editor as playback uses it, on the GUI thread: clear the input
// fields and list the control's steps, the last one selected, so the user
// sees what is about to play.
class EditorView {
 public:
  virtual ~EditorView() = default;
  virtual void ShowControl(int control) = 0;
};

}  // namespace quorbel
