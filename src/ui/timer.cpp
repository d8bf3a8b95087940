#include "ui/timer.h"

#include <algorithm>
#include <vector>

namespace w95::ui {

namespace {
// Never destroyed: forms still waiting to be freed when the program ends are
// destroyed after this file's statics, and their timers look here.
std::vector<Timer*>& Timers() {
  static auto* timers = new std::vector<Timer*>;
  return *timers;
}
}  // namespace

Timer::Timer(Control& owner, std::string name) : owner_(owner), name_(std::move(name)) {
  Timers().push_back(this);
}

Timer::~Timer() {
  if (running_) CurrentBackend().StopTimer(*this);
  auto& t = Timers();
  t.erase(std::remove(t.begin(), t.end(), this), t.end());
}

void Timer::SetEnabled(bool on) {
  enabled_ = on;
  Update();
}

void Timer::SetInterval(unsigned ms) {
  interval_ = ms;
  if (running_) {
    CurrentBackend().StopTimer(*this);
    running_ = false;
  }
  Update();
}

void Timer::Update() {
  const bool run = enabled_ && interval_ > 0;
  if (run == running_) return;
  running_ = run;
  if (run)
    CurrentBackend().StartTimer(*this);
  else
    CurrentBackend().StopTimer(*this);
}

void Timer::Fire() {
  Guard([&] {
    if (OnTimer) OnTimer(owner_);
  });
}

Timer* FindTimer(const std::string& name) {
  for (Timer* t : Timers())
    if (t->Name() == name) return t;
  return nullptr;
}

}  // namespace w95::ui
