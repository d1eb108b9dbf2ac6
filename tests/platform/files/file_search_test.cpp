// The wildcard file search on real folders.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>

#include "platform/files/file_search.h"
#include "tests/support/temp_folder.h"

using testing_support::Backslashed;
using testing_support::TempFolder;

namespace {

std::vector<std::string> All(const std::string& pattern) {
  SearchHandle handle;
  std::vector<std::string> names;
  for (Text name = FindFile(pattern, handle); !name.empty(); name = FindFile("", handle)) names.push_back(name);
  EXPECT_TRUE(handle.IsNone());
  return names;
}

class FileSearch : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"b.mp3", "A.MP3", "c.Mp3", ".hidden.mp3", "notes.txt", "song.mp3.bak", "歌曲.mp3",
                             "\xB8\xE8.mp3", "a & b.mp3", "with space.mp3", "mp3"})
      music.Write(name, "");
    music.Folder("folder.mp3");
    music.Folder("sub");
    music.Write("sub/deep.mp3", "");
    std::filesystem::create_symlink(music / "b.mp3", music / "link.mp3");
    std::filesystem::create_symlink(music / "sub", music / "dirlink.mp3");
  }
  TempFolder music;
};

}  // namespace

TEST_F(FileSearch, ListsMatchingFilesInCaseInsensitiveOrderSkippingFolders) {
  std::vector<std::string> expected{".hidden.mp3", "a & b.mp3", "A.MP3", "b.mp3", "c.Mp3", "link.mp3",
                                    "with space.mp3", "\xB8\xE8.mp3", "歌曲.mp3"};
  EXPECT_EQ(All(Backslashed(music.Path()) + "\\*.mp3"), expected);
}

TEST_F(FileSearch, PatternFormsThatNameTheSameFolder) {
  std::string folder = Backslashed(music.Path());
  struct Case {
    std::string pattern;
    size_t found;
  } cases[] = {
      {folder + "\\*.mp3", 9},
      {folder + "\\\\*.mp3", 9},  // a doubled separator, as after a root folder
      {music.Path() + "/*.mp3", 9},
      {folder + "\\*", 12},
      {folder + "\\b*", 1},
      {folder + "\\*.MP3", 9},
      {folder + "\\nothing*.mp3", 0},
      {folder + "\\missing\\*.mp3", 0},
      {folder + "\\", 0},
      {folder + "\\b.mp3\\*.mp3", 0},  // a file is no folder
  };
  for (const Case& c : cases) EXPECT_EQ(All(c.pattern).size(), c.found) << c.pattern;
}

TEST_F(FileSearch, ALeadingSeparatorMeansTheRootAndAPlainNameTheCurrentFolder) {
  char previous[4096];
  ASSERT_TRUE(getcwd(previous, sizeof previous));
  ASSERT_EQ(chdir(music.Path().c_str()), 0);
  EXPECT_EQ(All("*.txt"), std::vector<std::string>{"notes.txt"});
  ASSERT_EQ(chdir(previous), 0);
  // "\tmp\...\*.mp3" is taken from the root, wherever the current folder is.
  EXPECT_EQ(All(Backslashed(music.Path()) + "\\b*").size(), 1u);
  EXPECT_EQ(music.Path().front(), '/');
}

TEST_F(FileSearch, AHandleCarriesOneSearchAtATime) {
  SearchHandle handle;
  EXPECT_EQ(FindFile("", handle), "");  // nothing open: nothing to continue
  EXPECT_TRUE(handle.IsNone());
  EXPECT_EQ(FindFile(music / "*.mp3", handle), ".hidden.mp3");
  EXPECT_EQ(FindFile("", handle), "a & b.mp3");
  EXPECT_EQ(FindFile(music / "*.txt", handle), "notes.txt");  // a new search closes the old one
  EXPECT_FALSE(handle.IsNone());
  EXPECT_EQ(FindFile("", handle), "");
  EXPECT_TRUE(handle.IsNone());
  EXPECT_EQ(FindFile("", handle), "");
  EXPECT_EQ(FindFile(music / "*.mp3", handle), ".hidden.mp3");
  CloseFind(handle);
  EXPECT_TRUE(handle.IsNone());
  EXPECT_EQ(FindFile("", handle), "");
  CloseFind(handle);  // closing none is harmless
}

TEST(FileSearchLarge, ListsAFolderOfAHundredThousandFiles) {
  TempFolder big;
  for (int i = 0; i < 100000; ++i) {
    std::string name = big / ("song" + std::to_string(i) + ".mp3");
    close(open(name.c_str(), O_CREAT | O_WRONLY, 0644));
  }
  big.Write("cover.jpg", "");
  std::vector<std::string> names = All(big / "*.mp3");
  ASSERT_EQ(names.size(), 100000u);
  EXPECT_EQ(names.front(), "song0.mp3");
  EXPECT_EQ(names[1], "song1.mp3");
  EXPECT_EQ(names[2], "song10.mp3");
}
