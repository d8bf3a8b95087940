// A timer owned by a form. While enabled (and the interval is not 0) the
// backend calls Fire every Interval milliseconds; headless tests fire it by
// hand (Session::FireTimer).
#pragma once

#include <cstdint>
#include <string>

#include "ui/control.h"

namespace w95::ui {

class Timer {
 public:
  Timer(Control& owner, std::string name);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  const std::string& Name() const { return name_; }
  Control& Owner() const { return owner_; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned ms);
  bool Running() const { return running_; }

  NotifyEvent OnTimer;
  void Fire();  // runs OnTimer under the error convention

  // Backend bookkeeping.
  uintptr_t backendId = 0;

 private:
  void Update();
  Control& owner_;
  std::string name_;
  bool enabled_ = true;
  unsigned interval_ = 1000;
  bool running_ = false;
};

// The timers that exist now (for tests that fire one by name).
Timer* FindTimer(const std::string& name);

}  // namespace w95::ui
