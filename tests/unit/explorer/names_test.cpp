#include <gtest/gtest.h>

#include <set>

#include "explorer/messages.h"
#include "explorer/modes.h"
#include "explorer/names.h"
#include "explorer/rename.h"

namespace {

using namespace w95::explorer;

TEST(NameParts, SplitAtTheLastSeparator) {
  EXPECT_EQ(FileNamePart("c:\\images\\photo.BMP"), "photo.BMP");
  EXPECT_EQ(FileNamePart("d:x.bmp"), "x.bmp");
  EXPECT_EQ(FolderPart("c:\\images\\photo.BMP"), "c:\\images\\");
  EXPECT_EQ(FolderPart("photo"), "");
  EXPECT_EQ(ExtensionOf("c:\\my.dir\\photo"), "") << "a dot in a folder is no extension";
  EXPECT_EQ(ExtensionOf("a.b.c"), ".c");
  EXPECT_EQ(LowerAZ("README.TXT\xC9"), "readme.txt\xC9") << "only A to Z change";
}

struct NameCase {
  const char* text;
  NameCheck check;
  const char* message;
};

TEST(ValidateFileName, ForbiddenCharactersDotsAndPaths) {
  const std::set<std::string> folders = {"c:\\images\\", "c:\\"};
  auto exists = [&](const std::string& f) { return folders.count(LowerAZ(f)) > 0; };
  const NameCase cases[] = {
      {"a.b.c", NameCheck::Plain, ""},
      {"photo", NameCheck::Plain, ""},
      {"photo.jpeg", NameCheck::Rejected, kMsgInvalidFilename},
      {"ab.c.de", NameCheck::Rejected, kMsgInvalidFilename},
      {"abc.defg", NameCheck::Rejected, kMsgInvalidFilename},
      {".abc", NameCheck::Rejected, kMsgInvalidFilename},
      {"abc.", NameCheck::Rejected, kMsgInvalidFilename},
      {"a?c.bmp", NameCheck::Rejected, kMsgInvalidFilename},
      {"a\"c.bmp", NameCheck::Rejected, kMsgInvalidFilename},
      {"a<b", NameCheck::Rejected, kMsgInvalidFilename},
      {"c:photo", NameCheck::Rejected, kMsgInvalidFilename},
      {"images\\photo", NameCheck::Rejected, kMsgInvalidFilename},
      {"c:\\images\\photo.bmp", NameCheck::WithPath, ""},
      {"C:\\IMAGES\\x.bmp", NameCheck::WithPath, ""},
      {"d:\\nowhere\\x.bmp", NameCheck::Rejected, kMsgInvalidPath},
      {"c:\\images\\", NameCheck::Rejected, kMsgInvalidFilename},
      {"c:\\images\\*.bmp", NameCheck::Rejected, kMsgInvalidFilename},
  };
  for (const auto& c : cases) {
    const auto v = ValidateFileName(c.text, exists);
    EXPECT_EQ(v.check, c.check) << c.text;
    EXPECT_EQ(v.message, c.message) << c.text;
  }
}

TEST(Modes, KindsMapToModes) {
  struct {
    int32_t kind, restrict, mode;
    bool convert, restricted;
  } cases[] = {
      {0, 0, 0, false, false},    {24, 1, 24, false, true},    {100, 0, 100, false, false},
      {101, 0, 1, true, false},   {124, 2, 24, true, true},    {150, 0, 50, true, false},
      {200, 0, 100, true, false}, {201, 0, 201, false, false}, {102, -1, 2, true, false},
  };
  for (const auto& c : cases) {
    const auto s = ModeFromKind(c.kind, c.restrict);
    EXPECT_EQ(s.mode, c.mode) << c.kind;
    EXPECT_EQ(s.convertFamily, c.convert) << c.kind;
    EXPECT_EQ(s.restrictedFormats, c.restricted) << c.kind;
  }
}

TEST(Modes, LookOfEachMode) {
  struct {
    int32_t kind;
    const char* caption;
    TypeBox box;
    bool multi, nameVisible, editable;
  } cases[] = {
      {0, "Save File", TypeBox::Slideshow, false, true, true},
      {8, "Save File", TypeBox::SaveFormats, false, true, true},
      {108, "Convert Multiple Files", TypeBox::SaveFormats, false, false, true},
      {150, "Convert Multiple Files", TypeBox::SaveFormats, false, false, true},
      {102, "Move File to", TypeBox::Hidden, false, false, true},
      {252, "Replace Slide", TypeBox::AllValidated, false, true, true},
      {253, "Add Multiple Slides", TypeBox::AllValidated, true, true, false},
      {254, "Open Slideshow", TypeBox::Slideshow, false, true, true},
      {300, "Save File", TypeBox::SaveFormats, false, true, true},
      {77, "Save File", TypeBox::SaveFormats, false, true, true},
  };
  for (const auto& c : cases) {
    const auto look = LookOf(ModeFromKind(c.kind, 0), "pic.bmp");
    EXPECT_EQ(look.caption, c.caption) << c.kind;
    EXPECT_EQ(look.typeBox, c.box) << c.kind;
    EXPECT_EQ(look.multiSelect, c.multi) << c.kind;
    EXPECT_EQ(look.markEntriesShown, c.multi) << c.kind;
    EXPECT_EQ(look.nameVisible, c.nameVisible) << c.kind;
    EXPECT_EQ(look.nameEditable, c.editable) << c.kind;
  }
  EXPECT_EQ(LookOf(ModeFromKind(102, 0), "pic.bmp").labelName, "File: pic.bmp");
  EXPECT_EQ(LookOf(ModeFromKind(116, 0), "").labelName, "&Pixels:");
  EXPECT_TRUE(LookOf(ModeFromKind(116, 0), "").inputListEntryShown);
  EXPECT_EQ(HelpContext(0), 101);
  EXPECT_EQ(HelpContext(16), 101);
  EXPECT_EQ(HelpContext(253), 100);
  EXPECT_EQ(HelpContext(2), 100);
}

TEST(Modes, OkCaptionsFollowTheNameBox) {
  EXPECT_EQ(SaveCaptions(ModeFromKind(24, 0), true).button, "&Save");
  EXPECT_EQ(SaveCaptions(ModeFromKind(24, 0), false).button, "&Open");
  EXPECT_EQ(SaveCaptions(ModeFromKind(0, 0), true).openEntry, "Save");
  EXPECT_EQ(SaveCaptions(ModeFromKind(124, 0), true).openEntry, "Convert");
  EXPECT_EQ(SaveCaptions(ModeFromKind(124, 0), true).button, "") << "Con&vert stays";
  EXPECT_EQ(SaveCaptions(ModeFromKind(102, 0), true).openEntry, "Move");
  EXPECT_EQ(SaveCaptions(ModeFromKind(102, 0), false).button, "") << "Mo&ve stays";
}

TEST(Rename, QuestionsInOrder) {
  const std::string dir = "c:\\images\\";
  struct {
    std::optional<std::string> newName;
    bool exists;
    RenameAction action;
    const char* message;
  } cases[] = {
      {std::nullopt, false, RenameAction::End, ""},
      {"", false, RenameAction::End, ""},
      {"a.bmp", false, RenameAction::End, ""},
      {"b.bmp", true, RenameAction::WarnExists, "Filename exists.\nc:\\images\\b.bmp"},
      {"b.bmp", false, RenameAction::Rename, ""},
      {"a.jpg", false, RenameAction::AskExtension,
       "Different FILE extension.\nOld Type:.bmp\nNew Type:.jpg\nContinue ?"},
      {"A.BMP", true, RenameAction::AskExtension,
       "Different FILE extension.\nOld Type:.bmp\nNew Type:.BMP\nContinue ?"},
      {"a", false, RenameAction::AskExtension,
       "Different FILE extension.\nOld Type:.bmp\nNew Type:\nContinue ?"},
      // A folder part would move the file elsewhere: refused, asked again.
      {"..\\a.bmp", false, RenameAction::WarnInvalid, "Invalid filename.\nPlease reenter."},
      {"d:\\a.bmp", false, RenameAction::WarnInvalid, "Invalid filename.\nPlease reenter."},
      {"a.bmp:x", false, RenameAction::WarnInvalid, "Invalid filename.\nPlease reenter."},
      {"sub/a.bmp", false, RenameAction::WarnInvalid, "Invalid filename.\nPlease reenter."},
  };
  for (const auto& c : cases) {
    const auto d = DecideRename(dir, "a.bmp", c.newName, c.exists);
    EXPECT_EQ(d.action, c.action) << c.newName.value_or("<cancel>");
    EXPECT_EQ(d.message, c.message) << c.newName.value_or("<cancel>");
  }
  EXPECT_EQ(RenamePrompt(dir), dir);
  EXPECT_EQ(RenamePrompt(std::string(45, 'x')), std::string(40, 'x') + " ...");
}

struct TypedCase {
  const char* text;
  const char* current;  // the folder on show
  TypedAction action;
  const char* folder;  // where the list goes ("" when it stays)
  const char* name;    // the patterns, or the name gone on with
};

TEST(TypedNames, FoldersFiltersAndNamesFromTheFolderOnShow) {
  const std::set<std::string> folders = {
      "c:\\", "c:\\photos", "c:\\photos\\old", "c:\\photos\\2001",
      "d:\\", "d:\\work",   "d:\\work\\scans"};
  auto exists = [&](const std::string& f) { return folders.count(LowerAZ(f)) > 0; };
  auto driveFolder = [](char d) { return LowerAZ(std::string(1, d)) == "d" ? "d:\\work" : ""; };
  using A = TypedAction;
  const TypedCase cases[] = {
      {"photo", "c:\\photos", A::AsName, "", "photo"},
      {"old", "c:\\photos", A::GoToFolder, "c:\\photos\\old", ""},
      {"OLD\\", "c:\\photos", A::GoToFolder, "c:\\photos\\OLD", ""},
      {"..", "c:\\photos\\old", A::GoToFolder, "c:\\photos", ""},
      {"..\\..\\..", "c:\\photos\\old", A::GoToFolder, "c:\\", ""},
      {".", "c:\\photos", A::GoToFolder, "c:\\photos", ""},
      {"..\\2001", "c:\\photos\\old", A::GoToFolder, "c:\\photos\\2001", ""},
      {"\\photos", "c:\\photos\\old", A::GoToFolder, "c:\\photos", ""},
      {"c:\\photos\\old\\", "d:\\", A::GoToFolder, "c:\\photos\\old", ""},
      {"d:", "c:\\photos", A::GoToFolder, "d:\\work", ""},
      {"d:scans", "c:\\", A::GoToFolder, "d:\\work\\scans", ""},
      {"d:\\", "c:\\", A::GoToFolder, "d:\\", ""},
      {"c:", "c:\\photos", A::GoToFolder, "c:\\photos", ""},
      {"*.jpg", "c:\\photos", A::Filter, "c:\\photos", "*.jpg"},
      {"a?c.bmp;*.gif", "c:\\", A::Filter, "c:\\", "a?c.bmp;*.gif"},
      {"old\\*.*", "c:\\photos", A::Filter, "c:\\photos\\old", "*.*"},
      {"d:*.tif", "c:\\", A::Filter, "d:\\work", "*.tif"},
      {"old\\p.bmp", "c:\\photos", A::NameInFolder, "c:\\photos\\old", "p.bmp"},
      {"..\\p.bmp", "c:\\photos\\old", A::NameInFolder, "c:\\photos", "p.bmp"},
      {"d:p.bmp", "c:\\", A::NameInFolder, "d:\\work", "p.bmp"},
      // Left to the mode's own check (and its message).
      {"c:\\photos\\p.bmp", "d:\\", A::AsName, "", "c:\\photos\\p.bmp"},
      {"nowhere\\p.bmp", "c:\\", A::AsName, "", "nowhere\\p.bmp"},
      {"nowhere\\*.bmp", "c:\\", A::AsName, "", "nowhere\\*.bmp"},
      {"e:", "c:\\", A::AsName, "", "e:"},
      {"nowhere\\", "c:\\", A::AsName, "", "nowhere\\"},
      {"\\\\server\\share", "c:\\", A::AsName, "", "\\\\server\\share"},
      {"ph*\\x.bmp", "c:\\", A::AsName, "", "ph*\\x.bmp"},
      {"a<b*.bmp", "c:\\", A::AsName, "", "a<b*.bmp"},
      {"...", "c:\\photos", A::AsName, "", "..."},
  };
  for (const auto& c : cases) {
    const TypedName t = InterpretTypedName(c.text, c.current, exists, driveFolder);
    EXPECT_EQ(t.action, c.action) << c.text << " in " << c.current;
    EXPECT_EQ(t.folder, c.folder) << c.text << " in " << c.current;
    EXPECT_EQ(t.name, c.name) << c.text << " in " << c.current;
  }
}

TEST(TypedNames, AnotherDriveWithoutAKnownFolderStartsAtItsRoot) {
  auto none = [](char) { return std::string(); };
  EXPECT_EQ(ResolveTypedFolder("e:", "c:\\x", none), "e:\\");
  EXPECT_EQ(ResolveTypedFolder("e:a\\..\\b", "c:\\x", none), "e:\\b");
  EXPECT_EQ(ResolveTypedFolder("a:b", "c:\\x", none), "a:\\b");
  EXPECT_EQ(ResolveTypedFolder("1:", "c:\\x", none), "");
  EXPECT_EQ(ResolveTypedFolder("x:y:z", "c:\\x", none), "");
}

}  // namespace
