// Depth cap for runs nested inside a command (an object running its own
// Animation lanes from one of them, or owners running each other now):
// past kMaxNestedRuns levels a nested run is skipped, and the message log
// says so once per outermost run.
#pragma once

namespace tolv {

constexpr int kMaxNestedRuns = 256;

class NestedRun {
 public:
  NestedRun();
  ~NestedRun();
  NestedRun(const NestedRun&) = delete;
  NestedRun& operator=(const NestedRun&) = delete;
  bool ok() const { return ok_; }

 private:
  bool ok_;
};

}  // namespace tolv
