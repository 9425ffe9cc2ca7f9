// The instance block is packed and may lie at any address: its members can be read only by
// value. Assertions take their arguments by reference, so tests pass packed members through
// Value() first.
#pragma once

namespace tavrik::test {

template <typename T>
T Value(T member) {
  return member;
}

}  // namespace tavrik::test
