// The file side: atomic saves that leave the old file alone when they fail,
// loading files, and the header check with its message.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "profiles/profile_file.h"
#include "settings/language_table.h"
#include "tests/profiles/profile_bytes.h"
#include "tests/support/recording_window.h"
#include "tests/support/sim_process.h"

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class ProfileFileTest : public ::testing::Test {
 protected:
  ProfileFileTest() : languages(folder.path(), nullptr, [] { return uint16_t{0x0409}; }) {
    std::ofstream(folder.path() + "/Lang0409.ini")
        << "[TEXT]\nPROFILE_FORMAT_ERROR=Not a profile: %s (%d%n)\n";
    settings::InstallLanguageTable(&languages);
    profiletest::FillStore(store);
  }
  ~ProfileFileTest() override { settings::InstallLanguageTable(nullptr); }

  std::string Path(const std::string& name) const { return folder.path() + "/" + name; }

  testsupport::TempFolder folder;
  settings::LanguageTable languages;
  model::ConfigStore store;
  testsupport::RecordingWindow window;
};

TEST_F(ProfileFileTest, ASavedFileLoadsBackAndReadOnlyFilesLoadToo) {
  const std::string path = Path("profile.fwc");
  ASSERT_EQ(profiles::SaveProfileFile(store, true, path), profiles::kProfileOk);
  std::vector<uint8_t> expected;
  ASSERT_TRUE(profiles::SerializeProfile(store, &expected));
  EXPECT_EQ(ReadFile(path), expected);

  // Loading and checking only read the file, so a read-only one is accepted.
  // (Meaningful when not run as root, which reads any file.)
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  model::ConfigStore loaded;
  ASSERT_EQ(profiles::LoadProfileFile(loaded, path), profiles::kProfileOk);
  EXPECT_EQ(loaded.Macros(), store.Macros());
  EXPECT_EQ(loaded.Text(model::TextSlotOf(0, 4)).text, u"C:\\Tools\\calc.exe");
  EXPECT_EQ(profiles::ValidateProfileFile(path, window), profiles::kProfileOk);
  EXPECT_TRUE(window.shown().empty());
}

TEST_F(ProfileFileTest, AFailedSaveLeavesTheOldFileAndNoLeftovers) {
  const std::string path = Path("profile.fwc");
  ASSERT_EQ(profiles::CreateEmptyImage(store, path, 0, false), profiles::kProfileOk);
  const std::vector<uint8_t> old = ReadFile(path);
  ASSERT_EQ(old.size(), model::kProfileImageSize);
  fs::create_directory(Path("folder"));
  WriteFile(Path("folder/inside"), {1, 2, 3});

  // A full disk, as a file-size limit below what the save writes.
  struct rlimit saved;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  struct rlimit limited = saved;
  limited.rlim_cur = 40000;
  void (*oldHandler)(int) = signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  const int limitedResult = profiles::SaveProfileFile(store, true, path);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(limitedResult, profiles::kProfileFailed);
  EXPECT_EQ(ReadFile(path), old);

  // The path is a folder, or its folder is gone.
  EXPECT_EQ(profiles::SaveProfileFile(store, true, Path("folder")), profiles::kProfileFailed);
  EXPECT_EQ(ReadFile(Path("folder/inside")), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(profiles::SaveProfileFile(store, false, Path("gone/profile.fwc")),
            profiles::kProfileFailed);
  EXPECT_EQ(profiles::CreateEmptyImage(store, Path("gone/empty.fwc"), 0, false),
            profiles::kProfileFailed);
  EXPECT_EQ(FolderNames(folder.path()),
            (std::vector<std::string>{"Lang0409.ini", "folder", "profile.fwc"}));

  // A store without an image has nothing to save.
  model::ConfigStore empty;
  EXPECT_EQ(profiles::SaveProfileFile(empty, true, path), profiles::kProfileFailed);
  EXPECT_EQ(ReadFile(path), old);
}

TEST_F(ProfileFileTest, AFileThatCannotBeReadLeavesTheStoreAlone) {
  fs::create_directory(Path("folder"));
  const std::vector<uint8_t> before(store.image()->bytes().begin(), store.image()->bytes().end());
  for (const std::string& path : {Path("missing.fwc"), Path("folder"), Path("missing/x.fwc")}) {
    EXPECT_EQ(profiles::LoadProfileFile(store, path), profiles::kProfileFailed) << path;
    EXPECT_TRUE(std::equal(before.begin(), before.end(), store.image()->bytes().begin())) << path;
    EXPECT_EQ(store.MacroCount(), 2) << path;
  }
}

TEST_F(ProfileFileTest, ValidationResultsAndTheFormatMessage) {
  fs::create_directory(Path("folder"));
  WriteFile(Path("valid.fwc"), profiletest::HeaderOnlyFile(0, 0));
  WriteFile(Path("short.fwc"), std::vector<uint8_t>(32831, 0));
  std::vector<uint8_t> damaged = profiletest::HeaderOnlyFile(0, 0);
  damaged[31] ^= 1;
  WriteFile(Path("damaged.fwc"), damaged);
  // Only the header is examined: a file shorter than its header says passes.
  WriteFile(Path("truncated.fwc"), profiletest::HeaderOnlyFile(3, 100));

  const struct {
    std::string name;
    int result;
  } cases[] = {
      {"valid.fwc", profiles::kProfileOk},       {"truncated.fwc", profiles::kProfileOk},
      {"missing.fwc", profiles::kProfileFailed}, {"short.fwc", profiles::kProfileFailed},
      {"folder", profiles::kProfileCannotOpen},
  };
  for (const auto& c : cases)
    EXPECT_EQ(profiles::ValidateProfileFile(Path(c.name), window), c.result) << c.name;
  EXPECT_TRUE(window.shown().empty());

  EXPECT_EQ(profiles::ValidateProfileFile(Path("damaged.fwc"), window), profiles::kProfileFailed);
  const auto shown = window.shown();
  ASSERT_EQ(shown.size(), 1u);
  // The language text is a format for the path alone: %d and %n stay text.
  EXPECT_EQ(shown[0].text, "Not a profile: " + Path("damaged.fwc") + " (%d%n)");
  EXPECT_EQ(shown[0].buttons, platform::MessageButtons::kOk);
}

}  // namespace
