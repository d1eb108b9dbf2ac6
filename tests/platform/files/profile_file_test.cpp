// The profile file contract on real files in temporary folders.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <filesystem>
#include <random>

#include "platform/files/profile_file.h"
#include "platform/files/profile_location.h"
#include "platform/files/program_directory.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_folder.h"

using testing_support::ReadWholeFile;
using testing_support::RunAsNobody;
using testing_support::RunInChild;
using testing_support::Backslashed;
using testing_support::TempFolder;

TEST(ReadProfileText, FindsTheKeyOfTheSectionAsProfileFilesDo) {
  struct Case {
    const char* name;
    std::string content;
    std::string expected;
  } cases[] = {
      {"plain", "[配置]\r\n路径=D:\\歌\r\n", "D:\\歌"},
      {"LF alone", "[配置]\n路径=/music\n", "/music"},
      {"no final line end", "[配置]\r\n路径=/music", "/music"},
      {"names ignore case", "[Config]\r\nPath=/x\r\n", "/x"},
      {"blanks around", "  [ 配置 ]  \r\n  路径 =  /m  \r\n", "/m"},
      {"quoted", "[配置]\r\n路径=\" /m \"\r\n", " /m "},
      {"empty value", "[配置]\r\n路径=\r\n", ""},
      {"key in another section", "[其他]\r\n路径=/no\r\n[配置]\r\n路径=/yes\r\n", "/yes"},
      {"first of two", "[配置]\r\n路径=/one\r\n路径=/two\r\n", "/one"},
      {"comments and noise", "; note\r\n#x\r\n[配置]\r\ngarbage\r\n;路径=/c\r\n路径=/d\r\n", "/d"},
      {"missing key", "[配置]\r\n别的=1\r\n", "<default>"},
      {"missing section", "[别的]\r\n路径=/x\r\n", "<default>"},
      {"key before any section", "路径=/x\r\n", "<default>"},
      {"binary", std::string("\0\x01\xff[\x80\n\0\0=\xfe", 10) + "\n[配置]\n路径=/bin\n", "/bin"},
  };
  TempFolder temp;
  for (const Case& c : cases) {
    std::string file = temp.Write("目录.ini", c.content);
    bool config = std::string(c.name) == "names ignore case";
    EXPECT_EQ(ReadProfileText(file, config ? "config" : "配置", config ? "PATH" : "路径", "<default>"), c.expected)
        << c.name;
  }
}

TEST(ReadProfileText, MissingOrUnreadableFilesGiveTheDefault) {
  TempFolder temp;
  temp.Folder("目录.ini");  // a folder by the file's name
  EXPECT_EQ(ReadProfileText(temp / "目录.ini", "配置", "路径", "d"), "d");
  EXPECT_EQ(ReadProfileText(temp / "nothing.ini", "配置", "路径", "d"), "d");
  EXPECT_EQ(ReadProfileText(temp / "nothing.ini", "配置", "路径"), "");
  std::string file = temp.Write("secret.ini", "[配置]\r\n路径=/x\r\n");
  chmod(file.c_str(), 0);
  EXPECT_EQ(RunAsNobody([&] { return ReadProfileText(file, "配置", "路径", "d") == "d" ? 0 : 1; }), 0);
}

TEST(ReadProfileText, SkipsLeadingBlanksOfNamesAndReadsNothingForBlankNames) {
  TempFolder temp;
  std::string file = temp.Write("a.ini", "[配置]\r\n路径=/x\r\n");
  EXPECT_EQ(ReadProfileText(" \t\x01" + file, "\x20\x1f配置", "\n路径", "d"), "/x");
  EXPECT_EQ(ReadProfileText(file, "  \t", "路径", "d"), "");
  EXPECT_EQ(ReadProfileText(file, "配置", "\x01\x02 ", "d"), "");
  EXPECT_EQ(ReadProfileText("   ", "配置", "路径", "d"), "");
}

TEST(ReadProfileText, CutsLongValuesToTheirFirst10239Bytes) {
  TempFolder temp;
  std::string value(20000, 'v');
  value[10238] = 'x';
  value[10239] = 'y';
  std::string file = temp.Write("a.ini", "[配置]\r\n路径=" + value + "\r\n");
  std::string read = ReadProfileText(file, "配置", "路径");
  EXPECT_EQ(read.size(), 10239u);
  EXPECT_EQ(read.back(), 'x');
}

TEST(ReadProfileText, ReadsAHugeFileWithoutTrouble) {
  TempFolder temp;
  std::string noise(100 << 20, '\0');
  std::mt19937 random(7);
  for (size_t i = 0; i < noise.size(); i += 4) noise[i] = static_cast<char>(random());
  std::string file = temp.Write("huge.ini", noise + "\n[配置]\n路径=/after/noise\n");
  EXPECT_EQ(ReadProfileText(file, "配置", "路径", "d"), "/after/noise");
}

TEST(WriteProfileText, ChangesOnlyTheOneValueAndKeepsEverythingElse) {
  struct Case {
    const char* name;
    std::string before, value, after;
  } cases[] = {
      {"new file", "", "/m", "[配置]\r\n路径=/m\r\n"},
      {"replace", "[配置]\r\n路径=/old\r\n", "/new", "[配置]\r\n路径=/new\r\n"},
      {"keeps other lines", "; 注释\r\n[a]\r\nk=v\r\n\r\n[配置]\r\nx=1\r\n路径=/old\r\ny=2\r\n[b]\r\nz=3\r\n", "/n",
       "; 注释\r\n[a]\r\nk=v\r\n\r\n[配置]\r\nx=1\r\n路径=/n\r\ny=2\r\n[b]\r\nz=3\r\n"},
      {"keeps LF and the key's spelling", "[配置]\nPATH = /old\nq=1\n", "/n", "[配置]\nPATH =/n\nq=1\n"},
      {"adds the key after the section's last line", "[配置]\r\nx=1\r\n\r\n[b]\r\n", "/m",
       "[配置]\r\nx=1\r\n路径=/m\r\n\r\n[b]\r\n"},
      {"adds the section at the end", "[a]\r\nk=v", "/m", "[a]\r\nk=v\r\n[配置]\r\n路径=/m\r\n"},
      {"empty value stays", "[配置]\r\n路径=/old\r\n", "", "[配置]\r\n路径=\r\n"},
      {"blanks kept by quotes", "", " /m ", "[配置]\r\n路径=\" /m \"\r\n"},
      {"a last line ended by a lone CR", "[配置]\r\nx=1\r\n]\r", "/m", "[配置]\r\nx=1\r\n]\r\r\n路径=/m\r\n"},
  };
  TempFolder temp;
  for (const Case& c : cases) {
    std::string file = temp / "目录.ini";
    std::filesystem::remove(file);
    if (!c.before.empty()) temp.Write("目录.ini", c.before);
    bool spelled = std::string(c.name) == "keeps LF and the key's spelling";
    EXPECT_TRUE(WriteProfileText(file, "配置", spelled ? "path" : "路径", c.value)) << c.name;
    EXPECT_EQ(ReadWholeFile(file), c.after) << c.name;
  }
}

TEST(WriteProfileText, EveryValueReadsBackByteForByte) {
  TempFolder temp;
  std::string file = temp / "目录.ini";
  for (const std::string& value : std::vector<std::string>{"/音乐/周杰伦", "D:\\", "/a & b/c d", " lead", "trail ", "\"quoted\"", "",
                            "\xB8\xE8\xC7\xFA", "=;[x]", std::string(259, 'p')}) {
    ASSERT_TRUE(WriteProfileText(file, "配置", "路径", value));
    EXPECT_EQ(ReadProfileText(file, "配置", "路径", "<none>"), value);
  }
}

TEST(WriteProfileText, FailuresLeaveTheOldFileAsItWas) {
  TempFolder temp;
  std::string before = "[配置]\r\n路径=/old\r\n[other]\r\nkeep=1\r\n";
  std::string file = temp.Write("目录.ini", before);
  // A line break cannot be stored.
  EXPECT_FALSE(WriteProfileText(file, "配置", "路径", "/a\nb"));
  // A full disk: the new file cannot be written whole.
  EXPECT_EQ(RunInChild([&] {
              signal(SIGXFSZ, SIG_IGN);
              rlimit limit{4096, 4096};
              setrlimit(RLIMIT_FSIZE, &limit);
              return WriteProfileText(file, "配置", "路径", std::string(10000, 'x')) ? 1 : 0;
            }),
            0);
  // A folder that cannot be written takes no new file, and the old one stays.
  chmod(file.c_str(), 0644);
  chmod(temp.Path().c_str(), 0755);
  EXPECT_EQ(RunAsNobody([&] { return WriteProfileText(file, "配置", "路径", "/new") ? 1 : 0; }), 0);
  EXPECT_EQ(ReadWholeFile(file), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp.Path()), {}), 1);  // no leftovers
  // A folder by the file's name.
  temp.Folder("dir.ini");
  EXPECT_FALSE(WriteProfileText(temp / "dir.ini", "配置", "路径", "/x"));
  EXPECT_TRUE(std::filesystem::is_directory(temp / "dir.ini"));
}

TEST(WriteProfileText, TwoProgramsWritingAtOnceLeaveOneValidFile) {
  TempFolder temp;
  std::string file = temp.Write("目录.ini", "[other]\r\nkeep=1\r\n");
  auto writer = [&](const char* value) {
    return [&file, value] {
      for (int i = 0; i < 200; ++i)
        if (!WriteProfileText(file, "配置", "路径", value)) return 1;
      return 0;
    };
  };
  pid_t first = fork();
  if (first == 0) _exit(writer("/first")());
  int second = RunInChild(writer("/second"));
  int status = 0;
  waitpid(first, &status, 0);
  EXPECT_EQ(second, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  std::string value = ReadProfileText(file, "配置", "路径");
  EXPECT_TRUE(value == "/first" || value == "/second") << value;
  EXPECT_EQ(ReadProfileText(file, "other", "keep"), "1");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp.Path()), {}), 1);
}

TEST(ProfileLocation, AProgramFolderTheUserCannotWriteSendsTheFileToTheConfigurationFolder) {
  TempFolder program, config;
  chmod(program.Path().c_str(), 0755);
  chmod(config.Path().c_str(), 0777);
  files::UseProgramDirectory(program.Path());
  setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
  QCoreApplication::setApplicationName(QStringLiteral("TazmelMP3播放器"));
  std::string beside = Backslashed(program / "目录.ini");
  std::string redirected = config / "TazmelMP3播放器/目录.ini";
  // Writable (root may write anywhere): beside the program.
  if (geteuid() == 0) {
    EXPECT_EQ(ProfileLocation(QByteArray::fromStdString(program / "目录.ini")).toStdString(), program / "目录.ini");
  }
  EXPECT_EQ(RunAsNobody([&] {
              if (!WriteProfileText(beside, "配置", "路径", "/mine")) return 1;
              return ReadProfileText(beside, "配置", "路径") == "/mine" ? 0 : 2;
            }),
            0);
  EXPECT_EQ(ReadProfileText(redirected, "配置", "路径"), "/mine");
  EXPECT_FALSE(std::filesystem::exists(program / "目录.ini"));
  // A file already beside the program stays in use there.
  program.Write("目录.ini", "[配置]\r\n路径=/portable\r\n");
  EXPECT_EQ(RunAsNobody([&] { return ReadProfileText(beside, "配置", "路径") == "/portable" ? 0 : 1; }), 0);
  files::UseProgramDirectory("");
}

TEST(ProfileLocation, AnInstalledProgramKeepsItsSettingsPerUserAndABuildFolderBesideItself) {
  TempFolder config, build;
  setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
  QCoreApplication::setApplicationName(QStringLiteral("TazmelMP3播放器"));
  std::string user_file = config / "TazmelMP3播放器/目录.ini";
  struct Case {
    std::string program_folder, expected;
  } cases[] = {
      {"/usr/bin", user_file},
      {"/usr/local/bin", user_file},
      {build.Path(), build / "目录.ini"},
  };
  for (const Case& c : cases) {
    files::UseProgramDirectory(c.program_folder);
    EXPECT_EQ(ProfileLocation(QByteArray::fromStdString(c.program_folder + "/目录.ini")).toStdString(), c.expected)
        << c.program_folder;
  }
  files::UseProgramDirectory("");
}
