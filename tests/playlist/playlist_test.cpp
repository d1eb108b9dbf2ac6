// The playlist as the program fills it: at start-up from the stored folder, and by the add
// button through the real folder picker; the stored folder in "目录.ini".
#include <gtest/gtest.h>

#include <QTest>
#include <filesystem>

#include "app/program_state.h"
#include "platform/files/profile_file.h"
#include "platform/toolkit/controls.h"
#include "tests/support/program_window.h"
#include "tests/support/qt_helpers.h"
#include "tests/support/temp_folder.h"
#include "ui/main_window.h"

using testing_support::AnswerFolderPicker;
using testing_support::LoadProgramWindow;
using testing_support::ReadWholeFile;
using testing_support::TempFolder;
using testing_support::WaitUntil;

namespace {

class Playlist : public testing::Test {
 protected:
  void StoreFolder(const std::string& folder) {
    program.Write("目录.ini", "[配置]\r\n路径=" + folder + "\r\n");
  }
  toolkit::ListBox& Start() {
    LoadProgramWindow(program.Path());
    return MainWindow().列表框1;
  }
  std::vector<std::pair<std::string, std::string>> Items() {
    toolkit::ListBox& list = MainWindow().列表框1;
    std::vector<std::pair<std::string, std::string>> items;
    for (int i = 0; i < list.ItemCount(); ++i) items.emplace_back(list.ItemText(i), list.ItemFolder(i));
    return items;
  }
  void ClickAdd() { QTest::mouseClick(MainWindow().按钮_添加.Widget(), Qt::LeftButton); }

  TempFolder program, music;
};

}  // namespace

TEST_F(Playlist, StartUpListsTheStoredFoldersSongsInOrder) {
  for (const char* name : {"b.mp3", "A.MP3", "封面.jpg", "\xB8\xE8.mp3", "x & y.mp3"}) music.Write(name, "");
  music.Folder("folder.mp3");
  StoreFolder(music.Path());
  toolkit::ListBox& list = Start();
  using Item = std::pair<std::string, std::string>;
  EXPECT_EQ(Items(), (std::vector<Item>{{"A.MP3", music.Path()},
                                        {"b.mp3", music.Path()},
                                        {"x & y.mp3", music.Path()},
                                        {"\xB8\xE8.mp3", music.Path()}}));
  EXPECT_EQ(list.CurrentSelection(), -1);
  EXPECT_EQ(MusicFolder, music.Path());
  EXPECT_EQ(FoundFileName, "");
}

TEST_F(Playlist, StartUpWithNothingUsableStoredListsNothingAndWritesNothing) {
  struct Case {
    const char* name;
    std::function<void(TempFolder&)> prepare;
  } cases[] = {
      {"no file", [](TempFolder&) {}},
      {"empty file", [](TempFolder& p) { p.Write("目录.ini", ""); }},
      {"empty value", [](TempFolder& p) { p.Write("目录.ini", "[配置]\r\n路径=\r\n"); }},
      {"binary file", [](TempFolder& p) { p.Write("目录.ini", std::string("\0\xff\x80[\n=", 6)); }},
      {"folder gone", [](TempFolder& p) { p.Write("目录.ini", "[配置]\r\n路径=/no/such/folder\r\n"); }},
      {"folder by the file's name", [](TempFolder& p) { p.Folder("目录.ini"); }},
      {"20,000-byte value", [](TempFolder& p) { p.Write("目录.ini", "[配置]\r\n路径=/" + std::string(20000, 'x') + "\r\n"); }},
  };
  for (const Case& c : cases) {
    TempFolder here;
    c.prepare(here);
    std::string before = std::filesystem::is_regular_file(here / "目录.ini") ? ReadWholeFile(here / "目录.ini") : "";
    bool existed = std::filesystem::exists(here / "目录.ini");
    LoadProgramWindow(here.Path());
    // An empty folder means the root folder, which holds no songs here.
    EXPECT_EQ(MainWindow().列表框1.ItemCount(), 0) << c.name;
    EXPECT_EQ(std::filesystem::exists(here / "目录.ini"), existed) << c.name;
    if (std::filesystem::is_regular_file(here / "目录.ini")) {
      EXPECT_EQ(ReadWholeFile(here / "目录.ini"), before) << c.name;
    }
  }
}

TEST_F(Playlist, AddAppendsThePickedFoldersSongsAndStoresItButKeepsMusicFolder) {
  TempFolder second;
  music.Write("one.mp3", "");
  second.Write("two.mp3", "");
  second.Write("Three.MP3", "");
  StoreFolder(music.Path());
  program.Write("目录.ini", "; 我的设置\r\n[配置]\r\n路径=" + music.Path() + "\r\n[其他]\r\n键=值\r\n");
  Start();
  AnswerFolderPicker(second.Path());
  ClickAdd();
  using Item = std::pair<std::string, std::string>;
  EXPECT_EQ(Items(), (std::vector<Item>{{"one.mp3", music.Path()},
                                        {"Three.MP3", second.Path()},
                                        {"two.mp3", second.Path()}}));
  EXPECT_EQ(MusicFolder, music.Path());  // read again only by the next play command
  EXPECT_EQ(ReadWholeFile(program / "目录.ini"),
            "; 我的设置\r\n[配置]\r\n路径=" + second.Path() + "\r\n[其他]\r\n键=值\r\n");
  EXPECT_EQ(MainWindow().列表框1.CurrentSelection(), -1);
  // The same folder again lists its songs again.
  AnswerFolderPicker(second.Path());
  ClickAdd();
  EXPECT_EQ(MainWindow().列表框1.ItemCount(), 5);
}

TEST_F(Playlist, AFolderWithoutSongsAddsNothingYetBecomesTheStoredFolder) {
  music.Write("readme.txt", "");
  Start();
  AnswerFolderPicker(music.Path());
  ClickAdd();
  EXPECT_EQ(MainWindow().列表框1.ItemCount(), 0);
  EXPECT_EQ(ReadProfileText(program / "目录.ini", "配置", "路径"), music.Path());
}

TEST_F(Playlist, ACancelledPickerChangesNothing) {
  StoreFolder("/kept");
  std::string before = ReadWholeFile(program / "目录.ini");
  Start();
  AnswerFolderPicker("");
  ClickAdd();
  EXPECT_EQ(MainWindow().列表框1.ItemCount(), 0);
  EXPECT_EQ(ReadWholeFile(program / "目录.ini"), before);
}

TEST_F(Playlist, TheRootFolderKeepsItsSeparatorWhenStored) {
  Start();
  AnswerFolderPicker("/");
  ClickAdd();
  EXPECT_EQ(ReadProfileText(program / "目录.ini", "配置", "路径"), "/");
}

TEST_F(Playlist, ReportsAreHandledWhileThePickerIsOpen) {
  Start();
  int reports = 0;
  MainWindow().标签1.Feedback = [&](int, int) { ++reports; };
  AnswerFolderPicker("", [&] {
    MainWindow().标签1.PostFeedback(5, 0);
    WaitUntil([&] { return reports == 1; });
  });
  ClickAdd();
  EXPECT_EQ(reports, 1);
}
