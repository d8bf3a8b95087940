// The widest of many texts, as the toolkit finds it (ordering by character
// widths and measuring only the front runners), against every text measured
// one by one with the system.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/text_metrics.h"

namespace {

using w95::ui::Font;

TEST(TextMeasureOnWine, WidestOfManyIsTheWidestMeasuredOneByOne) {
  std::vector<std::string> texts;
  for (int i = 0; i < 300; ++i) texts.push_back("pic" + std::to_string(10000 + i * 37) + ".bmp");
  texts.push_back("WWW.bmp");       // few wide letters
  texts.push_back("iiiiiiiiiiii");  // many narrow ones
  texts.push_back("folder\\");
  texts.push_back("\xE9t\xE9 \xE0 la plage.jpg");  // letters above 127
  texts.push_back("");
  const Font fonts[] = {Font{}, Font{"Arial", 10, true}, Font{"Times New Roman", 12, false, true},
                        Font{"Courier New", 9}};
  for (const Font& font : fonts) {
    int oneByOne = 0;
    for (const auto& t : texts) oneByOne = std::max(oneByOne, w95::ui::TextWidth(font, t));
    EXPECT_EQ(w95::ui::WidestText(font, texts), oneByOne) << font.name;
    // The widest alone among many alike.
    std::vector<std::string> alike(200, "pic00000.bmp");
    alike[137] = "pic00000.bmpx";
    EXPECT_EQ(w95::ui::WidestText(font, alike), w95::ui::TextWidth(font, "pic00000.bmpx"))
        << font.name;
  }
}

}  // namespace
