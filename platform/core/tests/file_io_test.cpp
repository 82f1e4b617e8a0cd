// Whole-file reads, the crash-safe writer every saved file goes through, and file name rules.
#include "platform/core/file_io.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/core/file_names.h"
#include "platform/core/scratch_folder.h"
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
