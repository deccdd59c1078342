#pragma once

namespace quorbel {

// Whether a link operation is under way. Opening, stopping, the message box
// and the pauses of the display let the window system serve events, among
// them the status timer's tick; a tick that arrives then must not stop, probe
// or write to the surface in the middle of the other operation.
class LinkActivity {
 public:
  class Scope {
   public:
    explicit Scope(LinkActivity& activity) : activity_(activity) { ++activity_.depth_; }
    ~Scope() { --activity_.depth_; }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    LinkActivity& activity_;
  };

  bool Busy() const { return depth_ > 0; }

 private:
  int depth_ = 0;
};

}  // namespace quorbel
