// The compression settings dialog: arrangement by format code, the quality
// boxes kept with their bars, the preset box, and what OK and Cancel write.
#include "explorer/user_compress.h"
#include "explorer_fixture.h"

namespace explorer_test {
namespace {

using w95::explorer::CompressionSettings;
using w95::explorer::CorrectedQuality;
using w95::explorer::RunCompressionDialog;
using w95::explorer::TUserCompress;

class Compress : public Explorer {
 protected:
  bool RunDialog(int32_t code, std::function<void(User&, TUserCompress&)> script) {
    session.WhenModal<TUserCompress>(std::move(script));
    return RunCompressionDialog(code, accepted);
  }
  CompressionSettings accepted{-1, -1, -1, -1};
};

TEST_F(Compress, SaveButtonOpensItAndOkWritesTheFourKeys) {
  session.WhenModal<TFileForm>([](User& u, TFileForm&) {
    u.Click("BtnJPEG");
    u.Click("BtnExit");
  });
  session.WhenModal<TUserCompress>([](User& u, TUserCompress& d) {
    EXPECT_EQ(d.Caption(), "Compression Setting");
    EXPECT_EQ(u.TextOf("LumaEdit"), "6") << "nothing stored: the defaults";
    EXPECT_EQ(u.TextOf("ColorEdit"), "12");
    EXPECT_EQ(d.LumaScrollBar.Position(), 6);
    EXPECT_TRUE(d.YUV4.Checked());
    EXPECT_FALSE(d.CustomLEADsetting.Visible()) << "code 99 has no presets";
    EXPECT_TRUE(d.Panel2.Visible());
    EXPECT_EQ(d.LumaLabel.Caption(), "Luminance &Setting");
    EXPECT_EQ(d.ColorLabel.Caption(), "&Color Setting");
    EXPECT_TRUE(d.LumaEdit.Enabled());
    u.Type("ColorEdit", "40");
    u.Click("YUV1");
    u.Click("BtnOK");
  });
  w95::explorer::RunRemoteDlg(24, 0);
  EXPECT_EQ(Key("SaveYUV"), "2");
  EXPECT_EQ(Key("SaveJPG"), "6");
  EXPECT_EQ(Key("SavePIC"), "40");
  EXPECT_EQ(Key("SaveCMP"), "0");
  EXPECT_TRUE(session.Unused().empty());
}

TEST_F(Compress, CancelEscapeAndClosingWriteNothing) {
  SetKey("SaveJPG", "20");
  for (int way = 0; way < 3; ++way) {
    EXPECT_FALSE(RunDialog(99, [way](User& u, TUserCompress& d) {
      u.Type("LumaEdit", "50");
      if (way == 0) u.Click("BtnCancel");
      if (way == 1) u.PressKey(w95::ui::vkEscape);
      if (way == 2) d.Close();
    })) << way;
  }
  EXPECT_EQ(Key("SaveJPG"), "20");
  EXPECT_EQ(Key("SaveYUV"), "ERROR");
  EXPECT_EQ(accepted.luma, -1);
}

TEST_F(Compress, CmpCodeShowsTheStoredPresetAndItDecidesTheLumaRow) {
  SetKey("SaveCMP", "3");
  SetKey("SaveYUV", "1");
  EXPECT_TRUE(RunDialog(0, [](User& u, TUserCompress& d) {
    EXPECT_TRUE(d.CustomLEADsetting.Visible());
    EXPECT_EQ(u.TextOf("CustomLEADsetting"), "3 - Better Quality vs. Size");
    EXPECT_FALSE(d.LumaEdit.Enabled()) << "a preset other than 0 decides the quality";
    EXPECT_FALSE(d.Panel2.Visible());
    EXPECT_EQ(d.ColorLabel.Caption(), "&CMP Presets");
    EXPECT_EQ(d.ColorLabel.FocusControl(), &d.CustomLEADsetting);
    EXPECT_EQ(d.LumaLabel.Caption(), "Custom &Setting");
    EXPECT_FALSE(d.YUV4.Enabled());
    EXPECT_TRUE(d.YUV2.Checked());
    EXPECT_EQ(d.CustomLEADsetting.Left(), d.Panel2.Left()) << "in place of the colour row";
    EXPECT_EQ(d.CustomLEADsetting.Width(), d.Panel2.Width());
    u.Select("CustomLEADsetting", 0);
    EXPECT_TRUE(d.LumaEdit.Enabled());
    u.Type("LumaEdit", "30");
    u.Click("BtnOK");
  }));
  EXPECT_EQ(accepted.preset, 0);
  EXPECT_EQ(accepted.luma, 30);
  EXPECT_EQ(accepted.sampling, 1);
  EXPECT_EQ(Key("SaveCMP"), "3") << "the caller writes the keys";
}

TEST_F(Compress, JpegCodesForgetThePresetAndGreyHasNoSampling) {
  SetKey("SaveCMP", "5");
  EXPECT_TRUE(RunDialog(1, [](User& u, TUserCompress& d) {
    EXPECT_TRUE(d.CustomLEADsetting.Visible());
    EXPECT_FALSE(d.CustomLEADsetting.Enabled());
    EXPECT_EQ(d.CustomLEADsetting.ItemIndex(), 0);
    EXPECT_FALSE(d.ColorLabel.Visible());
    EXPECT_TRUE(d.LumaEdit.Enabled());
    EXPECT_TRUE(d.YUV2.Enabled());
    u.Click("BtnOK");
  }));
  EXPECT_EQ(accepted.preset, 0) << "code 1 accepts preset 0 whatever was stored";
  EXPECT_TRUE(RunDialog(-11, [](User& u, TUserCompress& d) {
    EXPECT_FALSE(d.YUV2.Enabled());
    u.Click("BtnOK");
  }));
}

TEST_F(Compress, QualityBoxesAreBroughtIntoRangeWhenLeftNotWhileTyped) {
  SetKey("SaveJPG", "911");
  SetKey("SavePIC", "999");  // out of range: the bar's end
  EXPECT_TRUE(RunDialog(98, [](User& u, TUserCompress& d) {
    EXPECT_EQ(u.TextOf("LumaEdit"), "6") << "911 means the default";
    EXPECT_EQ(u.TextOf("ColorEdit"), "255");
    // Typed key by key: a first "1" stands, and the bar follows each value
    // in range.
    u.Type("ColorEdit", "150");
    EXPECT_EQ(u.TextOf("ColorEdit"), "150");
    EXPECT_EQ(d.ColorScrollBar.Position(), 150);
    u.Type("LumaEdit", "300");
    EXPECT_EQ(u.TextOf("ColorEdit"), "150") << "left in range: as typed";
    EXPECT_EQ(u.TextOf("LumaEdit"), "300") << "still being typed";
    EXPECT_EQ(d.LumaScrollBar.Position(), 30);
    u.Clear("ColorEdit");
    EXPECT_EQ(u.TextOf("LumaEdit"), "255") << "left: brought into range";
    EXPECT_EQ(d.LumaScrollBar.Position(), 255);
    EXPECT_EQ(u.TextOf("ColorEdit"), "");
    u.Type("LumaEdit", "1");
    EXPECT_EQ(u.TextOf("ColorEdit"), "2") << "left empty: the minimum";
    EXPECT_EQ(u.TextOf("LumaEdit"), "1");
    u.Scroll("ColorScrollBar", 77);
    EXPECT_EQ(u.TextOf("ColorEdit"), "77");
    u.Type("ColorEdit", "7x");
    EXPECT_EQ(u.TextOf("LumaEdit"), "2");
    EXPECT_EQ(u.TextOf("ColorEdit"), "7x");
    u.PressKey(w95::ui::vkReturn);  // OK without leaving the box
  }));
  EXPECT_EQ(accepted.luma, 2);
  EXPECT_EQ(accepted.color, 7) << "a letter is not taken: the bar's value";
  EXPECT_EQ(Key("SavePIC"), "999") << "the caller writes the keys";
}

TEST_F(Compress, OkSettlesABoxStillBeingTyped) {
  EXPECT_TRUE(RunDialog(98, [](User& u, TUserCompress&) {
    u.Type("LumaEdit", "100");
    u.Type("ColorEdit", "999");
    u.PressKey(w95::ui::vkReturn);
  }));
  EXPECT_EQ(accepted.luma, 100);
  EXPECT_EQ(accepted.color, 255);
}

TEST(CorrectedQuality, BringsTypedTextIntoRange) {
  EXPECT_EQ(CorrectedQuality("", 50), "2");
  EXPECT_EQ(CorrectedQuality("256", 50), "255");
  EXPECT_EQ(CorrectedQuality("99999999999", 50), "255");
  EXPECT_EQ(CorrectedQuality("1", 50), "2");
  EXPECT_EQ(CorrectedQuality("-3", 50), "2");
  EXPECT_EQ(CorrectedQuality("12a", 50), "50");
  EXPECT_FALSE(CorrectedQuality("255", 50));
  EXPECT_FALSE(CorrectedQuality("-", 50)) << "a sign being typed";
  EXPECT_EQ(w95::explorer::TypedQuality("150"), 150);
  EXPECT_EQ(w95::explorer::TypedQuality("007"), 7);
  for (const char* t : {"", "1", "256", "-3", "12a", "99999999999"})
    EXPECT_FALSE(w95::explorer::TypedQuality(t)) << t;
}

TEST_F(Compress, HelpOpensAtContext101) {
  EXPECT_FALSE(RunDialog(99, [](User& u, TUserCompress&) {
    u.Click("BtnHelp");
    u.Click("BtnCancel");
  }));
  ASSERT_EQ(machine.desktop.helpCalls.size(), 1u);
  EXPECT_EQ(machine.desktop.helpCalls[0].data, 101u);
}

}  // namespace
}  // namespace explorer_test
