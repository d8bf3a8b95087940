// Finding a list entry by the first letters of its text as they are typed:
// letters that follow each other quickly make one search, a pause starts a
// new one. The times are those of the keys (milliseconds, any origin).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace w95::ui {

class TypeAhead {
 public:
  // A pause longer than this starts a new search.
  static constexpr uint32_t kPause = 1000;

  // The entry to move to for a character typed at `time`: the first of the
  // `count` entries (`text(i)`) that starts with the letters typed so far,
  // ignoring the case of A to Z; -1 when none does (stay). One letter typed
  // again and again steps through the entries starting with it, from the
  // entry after `current`.
  int Next(char ch, uint32_t time, int count, const std::function<const std::string&(int)>& text,
           int current);
  // A search is running at `time` (its last letter came within the pause).
  bool Running(uint32_t time) const { return any_ && time - last_ <= kPause; }
  void Reset() { any_ = false; }

 private:
  std::string typed_;
  uint32_t last_ = 0;
  bool any_ = false;
};

}  // namespace w95::ui
