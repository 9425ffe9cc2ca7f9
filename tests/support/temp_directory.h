// A fresh, empty directory that is the process's current directory for the object's lifetime,
// for the driver's initialisation files, which it looks up relative to the current directory.
#pragma once

#include <string>

namespace tavrik::test {

class CurrentTempDirectory {
 public:
  CurrentTempDirectory();
  ~CurrentTempDirectory();  // goes back and removes the directory with its files
  CurrentTempDirectory(const CurrentTempDirectory&) = delete;
  CurrentTempDirectory& operator=(const CurrentTempDirectory&) = delete;

  // Writes a file in the directory, bytes exactly as given.
  void Write(const std::string& name, const std::string& bytes) const;

 private:
  std::string path_;
  std::string previous_;
};

}  // namespace tavrik::test
