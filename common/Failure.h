#pragma once

#include <functional>

namespace quorbel {

// Runs `work` and keeps whatever it throws from going further: the program
// goes on, and a line on the standard error output names `what` (the work
// that failed) and the reason. Used where work enters the program from
// outside (a window event, a surface message, a signal), so that no failure
// ends the program and loses the user's keys held down or settings.
// Returns false when `work` threw.
bool RunGuarded(const char* what, const std::function<void()>& work);

}  // namespace quorbel
