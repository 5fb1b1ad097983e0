// A flag set for the life of a handler that must not run nested: message
// boxes and dialogs run message loops of their own, so paint, focus and
// palette messages can arrive while a handler is half done.
#pragma once

namespace mox {

class BusyFlag {
 public:
  explicit BusyFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~BusyFlag() { flag_ = false; }
  BusyFlag(const BusyFlag&) = delete;
  BusyFlag& operator=(const BusyFlag&) = delete;

 private:
  bool& flag_;
};

}  // namespace mox
