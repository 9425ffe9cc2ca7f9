// One request out and one reply line back on a half-duplex line: request-to-send is raised
// around every request, and the reply is read one character at a time.
#pragma once

#include <cstddef>
#include <cstdint>

#include "serial/platform/comm.h"

namespace tavrik {

inline constexpr std::size_t kLongestReply = 128;
inline constexpr char kCarriageReturn = '\r';

// The output-queue wait ends after this long even if the queue never reports empty: longer than
// the longest request takes at 300 baud.
inline constexpr uint32_t kOutputDrainLimitMs = 5000;

// Sends length characters of request; 0 when all went out, else 2.
int32_t Send(const char* request, uint32_t length, comm::Handle port);

// Reads one character into destination; 0 when exactly one came, else 2.
int32_t ReadByte(comm::Handle port, char* destination);

// Reads a reply line into area (kLongestReply bytes): up to and including the first carriage
// return, or 128 characters. 0 with its length, or 2 when a read failed or timed out, length
// then counting the characters that came before. The area is neither cleared nor terminated.
int32_t ReceiveLine(char* area, std::size_t* length, comm::Handle port);

}  // namespace tavrik
