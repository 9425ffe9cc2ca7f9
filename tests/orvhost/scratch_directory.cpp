#include "scratch_directory.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

namespace orvhost::test {

ScratchDirectory::ScratchDirectory() : previous_(std::filesystem::current_path()) {
  std::string pattern = (std::filesystem::temp_directory_path() / "orvhost-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    ADD_FAILURE() << "cannot make a directory like " << pattern;
    return;
  }
  path_ = pattern;
  std::filesystem::current_path(path_);
}

ScratchDirectory::~ScratchDirectory() {
  std::filesystem::current_path(previous_);
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

}  // namespace orvhost::test
