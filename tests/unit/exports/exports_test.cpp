#include <gtest/gtest.h>

#include "exports/library.h"
#include "platform/sim/sim_machine.h"

namespace {

using w95::platform::sim::SimMachine;

TEST(GetFreePageMem, SaturatesInsteadOfWrappingAbove4GB) {
  SimMachine m;
  m.Install();
  m.desktop.availPageFile = (5ull << 30);  // 5 GiB free
  EXPECT_EQ(w95::GetFreePageMem(), 0xFFFFFFFFu);
  m.desktop.availPageFile = 123456789;
  EXPECT_EQ(w95::GetFreePageMem(), 123456789u);
}

TEST(GDIflush, ReportsOneOrZero) {
  SimMachine m;
  m.Install();
  m.desktop.gdiFlushResult = true;
  EXPECT_EQ(w95::GDIflush(), 1);
  m.desktop.gdiFlushResult = false;
  EXPECT_EQ(w95::GDIflush(), 0);
}

}  // namespace
