// Whole-file reads, the crash-safe writer every saved file goes through, and file name rules.
#include "platform/core/file_io.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/file_lock.h"
#include "platform/core/file_names.h"
#include "platform/core/program_folder.h"
#include "platform/core/testing/scratch_folder.h"
#include "platform/core/tests/file_size_limit.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class FileIo : public ::testing::Test {
 protected:
  // Every entry, hidden temporary files included.
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const auto& entry : fs::directory_iterator(folder_))
      out.push_back(entry.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
  }
  std::string get(const fs::path& path) const {
    const FileRead file = read_file(path);
    EXPECT_FALSE(file.error) << file.error.value_or("");
    return file.bytes;
  }

  ScratchFolder scratch_{"platform-file-io"};
  const fs::path& folder_ = scratch_.path();
};

TEST_F(FileIo, WritesReadBackByteForByteAcrossReadChunks) {
  std::string bytes(200000, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
  const fs::path path = folder_ / "data.bin";
  ASSERT_FALSE(write_file_atomic(path, bytes));
  EXPECT_EQ(get(path), bytes);
  ASSERT_FALSE(write_file_atomic(path, ""));
  EXPECT_EQ(get(path), "");
  EXPECT_EQ(names(), std::vector<std::string>{"data.bin"});
}

TEST_F(FileIo, ReplacingKeepsTheModeAndLeavesAnOpenReaderOnTheOldFile) {
  const fs::path path = folder_ / "logbook";
  ASSERT_FALSE(write_file_atomic(path, "old"));
  struct stat fresh {};
  ASSERT_EQ(::stat(path.c_str(), &fresh), 0);
  EXPECT_EQ(fresh.st_mode & 07777, 0644u);

  ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
  std::FILE* reader = std::fopen(path.c_str(), "rb");
  ASSERT_NE(reader, nullptr);
  ASSERT_FALSE(write_file_atomic(path, "new contents"));
  char seen[8] = {};
  EXPECT_EQ(std::fread(seen, 1, sizeof seen, reader), 3u);
  std::fclose(reader);
  EXPECT_EQ(std::string(seen), "old");

  struct stat replaced {};
  ASSERT_EQ(::stat(path.c_str(), &replaced), 0);
  EXPECT_EQ(replaced.st_mode & 07777, 0600u);
  EXPECT_NE(replaced.st_ino, fresh.st_ino);
  EXPECT_EQ(get(path), "new contents");
}

TEST_F(FileIo, FailuresComeBackAsTheSystemsTextAndLeaveNothingBehind) {
  EXPECT_EQ(write_file_atomic(folder_ / "no-such-folder" / "file", "x"),
            "No such file or directory");
  EXPECT_EQ(read_file(folder_ / "missing").error, "No such file or directory");

  // The rename fails after the temporary file was written: it must not be left behind.
  fs::create_directory(folder_ / "taken");
  EXPECT_TRUE(write_file_atomic(folder_ / "taken", "x"));
  EXPECT_EQ(names(), std::vector<std::string>{"taken"});
}

TEST_F(FileIo, AShortWriteFailsAndLeavesTheOldFileByteIdentical) {
  const fs::path path = folder_ / "settings.ini";
  const std::string old_contents(100, 'o');
  ASSERT_FALSE(write_file_atomic(path, old_contents));
  {
    FileSizeLimit limit(old_contents.size() + 100);
    EXPECT_EQ(write_file_atomic(path, std::string(5000, 'n')), "File too large");
  }
  EXPECT_EQ(get(path), old_contents);
  EXPECT_EQ(names(), std::vector<std::string>{"settings.ini"});
}

// Only regular files are read; anything else under the name is unreadable at once, never a wait
// or an endless read.
TEST_F(FileIo, OnlyRegularFilesAreRead) {
  ASSERT_EQ(::mkfifo((folder_ / "pipe").c_str(), 0644), 0);
  fs::create_symlink("/dev/zero", folder_ / "zero");
  fs::create_directory(folder_ / "folder");
  fs::create_symlink(folder_ / "nowhere", folder_ / "dangling");
  struct Case {
    const char* name;
    const char* error;
    bool missing;
  };
  const Case cases[] = {{"pipe", "Not a regular file", false},
                        {"zero", "Not a regular file", false},
                        {"folder", "Is a directory", false},
                        {"dangling", "No such file or directory", true},
                        {"absent", "No such file or directory", true}};
  for (const Case& c : cases) {
    const FileRead file = read_file(folder_ / c.name);
    EXPECT_EQ(file.error, c.error) << c.name;
    EXPECT_EQ(file.missing, c.missing) << c.name;
    EXPECT_TRUE(file.bytes.empty()) << c.name;
  }
  ASSERT_FALSE(write_file_atomic(folder_ / "real", "x"));
  fs::create_symlink(folder_ / "real", folder_ / "link");
  EXPECT_EQ(get(folder_ / "link"), "x");
}

TEST_F(FileIo, FilesBeyondTheSizeCapAreRefused) {
  const fs::path path = folder_ / "huge";
  ASSERT_FALSE(write_file_atomic(path, "x"));
  fs::resize_file(path, kMaxFileSize + 1);  // sparse: no disk space used
  EXPECT_EQ(read_file(path).error, "File too large");
  fs::resize_file(path, kMaxFileSize);
  EXPECT_EQ(read_file(path).bytes.size(), kMaxFileSize);
}

// What a save killed between its temporary file and the rename leaves is cleared; nothing else.
TEST_F(FileIo, StaleTemporariesOfOneTargetAreRemoved) {
  const fs::path target = folder_ / "Diabete.dbk";
  for (const char* name : {".Diabete.dbk.a1B2c3", ".Diabete.dbk.ZZZZZZ", ".Diabete.dbk.toolong",
                           ".Diabete.dbk.ab-cd1", "Diabete.dbk", ".other.ini.a1B2c3"})
    ASSERT_FALSE(write_file_atomic(folder_ / name, "x"));
  fs::create_directory(folder_ / ".Diabete.dbk.folder");
  fs::create_symlink(folder_ / "Diabete.dbk", folder_ / ".Diabete.dbk.link00");
  EXPECT_EQ(remove_stale_temporaries(target), 2);
  EXPECT_EQ(names(), (std::vector<std::string>{".Diabete.dbk.ab-cd1", ".Diabete.dbk.folder",
                                               ".Diabete.dbk.link00", ".Diabete.dbk.toolong",
                                               ".other.ini.a1B2c3", "Diabete.dbk"}));
  EXPECT_EQ(remove_stale_temporaries(folder_ / "missing-folder" / "x"), 0);
}

// The lock is the system's: another process that holds it keeps it from everyone, and it goes
// with that process, even when the process is killed.
TEST_F(FileIo, ALockLastsAsLongAsTheProcessThatHoldsIt) {
  int to_parent[2];
  ASSERT_EQ(::pipe(to_parent), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ExclusiveLock lock(folder_);
    const char held = lock.held() ? 'y' : 'n';
    if (::write(to_parent[1], &held, 1) != 1) std::_Exit(1);
    ::pause();  // until killed
    std::_Exit(0);
  }
  char held = 0;
  ASSERT_EQ(::read(to_parent[0], &held, 1), 1);
  EXPECT_EQ(held, 'y');
  {
    ExclusiveLock second(folder_);
    EXPECT_EQ(second.state(), ExclusiveLock::State::kHeldElsewhere);
  }
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  ::close(to_parent[0]);
  ::close(to_parent[1]);
  {
    ExclusiveLock after_crash(folder_);
    EXPECT_TRUE(after_crash.held());
    // A second holder in the same process is turned away as well.
    EXPECT_EQ(ExclusiveLock(folder_).state(), ExclusiveLock::State::kHeldElsewhere);
  }
  EXPECT_TRUE(ExclusiveLock(folder_).held());
  EXPECT_EQ(ExclusiveLock(folder_ / "missing").state(), ExclusiveLock::State::kUnavailable);
}

// Sets an environment variable for as long as it lives.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// The data lives in the user's data folder, never in a build folder that "rm -rf build" deletes;
// only a logbook that already lies beside the program (a portable copy) keeps it there.
TEST_F(FileIo, TheProgramFolderIsTheUsersDataFolderUnlessTheDataLiesBesideTheProgram) {
  const fs::path bin = folder_ / "bin";
  fs::create_directories(bin);
  {
    ScopedEnv xdg("XDG_DATA_HOME", (folder_ / "data").c_str());
    EXPECT_EQ(program_folder("sugarlog", bin, "Diabete.dbk"), folder_ / "data" / "sugarlog");
    EXPECT_TRUE(fs::is_directory(folder_ / "data" / "sugarlog"));

    // A portable copy, even in a folder that cannot be written to, and even a damaged file.
    fs::create_symlink("/dev/zero", bin / "Diabete.dbk");
    fs::permissions(bin, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(program_folder("sugarlog", bin, "Diabete.dbk"), bin);
    fs::permissions(bin, fs::perms::owner_all);
  }
  ScopedEnv relative("XDG_DATA_HOME", "relative/data");
  {
    ScopedEnv home("HOME", (folder_ / "home").c_str());
    EXPECT_EQ(program_folder("pulse", bin, "none"),
              folder_ / "home" / ".local" / "share" / "pulse");
  }
  ScopedEnv no_home("HOME", nullptr);
  EXPECT_EQ(program_folder("pulse", bin, "none"), bin);
}

TEST(DefaultExtension, OnlyWhenTheFileNameHasNone) {
  EXPECT_EQ(with_default_extension("/tmp/Pulsewise", "BMP"), "/tmp/Pulsewise.BMP");
  EXPECT_EQ(with_default_extension("/tmp/chart.bmp", "BMP"), "/tmp/chart.bmp");
  EXPECT_EQ(with_default_extension("/tmp/chart.", "BMP"), "/tmp/chart.BMP");
  EXPECT_EQ(with_default_extension("chart", "BMP"), "chart.BMP");
  EXPECT_EQ(with_default_extension("/tmp/my.folder/chart", "BMP"), "/tmp/my.folder/chart.BMP");
  EXPECT_EQ(with_default_extension("/tmp/.hidden", "BMP"), "/tmp/.hidden");
  EXPECT_EQ(with_default_extension("/tmp/chart", ""), "/tmp/chart");
  EXPECT_EQ(with_default_extension("", "BMP"), "");
}

}  // namespace
}  // namespace platform
