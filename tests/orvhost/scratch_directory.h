// A fresh directory that is the current one for the object's lifetime, for the simulator's link,
// socket and files and for orvhost's output files; removed afterwards.
#pragma once

#include <filesystem>

namespace orvhost::test {

class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
};

}  // namespace orvhost::test
