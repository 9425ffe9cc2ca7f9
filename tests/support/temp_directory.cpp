#include "temp_directory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tavrik::test {

namespace fs = std::filesystem;

CurrentTempDirectory::CurrentTempDirectory() {
  previous_ = fs::current_path().string();
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  fs::path path = fs::temp_directory_path() / "tavrik-test";
  for (int n = 0; n < 1000 && path_.empty(); ++n) {
    const fs::path candidate =
        path / (std::string(test != nullptr ? test->name() : "dir") + "-" + std::to_string(n));
    std::error_code error;
    if (fs::create_directories(candidate, error)) path_ = candidate.string();
  }
  if (path_.empty()) {
    ADD_FAILURE() << "cannot make a directory under " << path;
    path_ = previous_;
  }
  fs::current_path(path_);
}

CurrentTempDirectory::~CurrentTempDirectory() {
  fs::current_path(previous_);
  std::error_code ignored;
  if (path_ != previous_) fs::remove_all(path_, ignored);
}

void CurrentTempDirectory::Write(const std::string& name, const std::string& bytes) const {
  std::ofstream out(fs::path(path_) / name, std::ios::binary);
  out << bytes;
}

}  // namespace tavrik::test
