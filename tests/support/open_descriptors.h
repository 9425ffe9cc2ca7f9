// How many descriptors this process has open, to show that a test leaves none behind.
#pragma once

#include <dirent.h>

namespace tavrik::test {

inline int OpenDescriptors() {
  int count = 0;
  DIR* descriptors = opendir("/proc/self/fd");
  while (readdir(descriptors) != nullptr) ++count;
  closedir(descriptors);
  return count;
}

}  // namespace tavrik::test
