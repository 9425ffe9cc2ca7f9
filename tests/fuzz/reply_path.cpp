// Feeds arbitrary gates and replies through SingleRead and SingleWrite over the scripted comm
// fake. Input: one byte gate type, one byte address length, the address, then the line's answers
// to the attempts' requests, separated by 0xFF bytes. The ValueBlock and the instance block lie
// in heap buffers of exactly their size, so a byte written or read too many is caught.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "comm_fake.h"
#include "instance/instance_block.h"
#include "peltar.h"
#include "tavrik/tavrik.h"

namespace {

using tavrik::test::FakeComm;
constexpr uint8_t kAnswerSeparator = 0xFF;
constexpr std::size_t kLongestRequest = 107;

void Discard(void*, int32_t, const char*) {}

int32_t Call(void* block, uint32_t code, void* params) {
  OrvRequest request{};
  request.instance = block;
  request.code = code;
  request.params = params;
  return OrvMain(&request);
}

// Every request the driver wrote ends with its carriage return and fits 107 characters.
void CheckRequests(const std::string& written) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < written.size(); ++i) {
    if (written[i] != '\r') continue;
    if (i + 1 - start > kLongestRequest) std::abort();
    start = i + 1;
  }
  if (start != written.size()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  peltar_set_sink(&Discard, nullptr);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int32_t type = static_cast<int8_t>(data[0]);
  const std::size_t address_length = std::min<std::size_t>(data[1], size - 2);
  const std::string address(reinterpret_cast<const char*>(data + 2), address_length);
  std::vector<FakeComm::Answer> answers(1);
  for (std::size_t i = 2 + address_length; i < size; ++i) {
    if (data[i] == kAnswerSeparator)
      answers.emplace_back();
    else
      answers.back().reply.push_back(static_cast<char>(data[i]));
  }

  FakeComm& fake = FakeComm::Get();
  fake.Reset();
  fake.AddDevice("COM1");
  auto* block = static_cast<tavrik::InstanceBlock*>(std::malloc(sizeof(tavrik::InstanceBlock)));
  ColdStartParams start{};
  std::strcpy(start.port_name, "COM1");
  start.port_flag = 1;
  start.reply_timeout = 4;
  start.settings = {9600, 8, 0, 0};
  if (Call(block, ORV_COLD_START, &start) != ORV_DONE) std::abort();

  ParseRecord parse{};
  parse.address = address.c_str();
  parse.gate_type = type;
  if (Call(block, ORV_SINGLE_ADDRESS_PARSER, &parse) == ORV_DONE) {
    auto* value = static_cast<ValueBlock*>(std::malloc(sizeof(ValueBlock)));
    std::memset(value, 0x5A, sizeof *value);
    GateRecord gate{};
    gate.address = address.c_str();
    gate.descriptor = parse.descriptor;
    gate.gate_type = type;
    gate.value = value;

    // The reply area lies just before the gap and the EnableTable: a reply written one byte
    // too far would change them, which no sanitizer sees inside one allocation.
    const uint32_t gap = block->inter_frame_gap;
    uint8_t enabled[tavrik::kControllerCount];
    std::memcpy(enabled, block->enable_table, sizeof enabled);

    fake.ScriptAnswers(answers);
    const ValueBlock before = *value;
    const int32_t read = Call(block, ORV_SINGLE_READ, &gate);
    if (read < ORV_DONE || read > ORV_FAILED) std::abort();
    if (read != ORV_DONE && std::memcmp(value, &before, sizeof before) != 0) std::abort();

    fake.ScriptAnswers(answers);
    const ValueBlock stored = *value;
    const int32_t written = Call(block, ORV_SINGLE_WRITE, &gate);
    if (written < ORV_DONE || written > ORV_FAILED) std::abort();
    if (std::memcmp(value, &stored, sizeof stored) != 0) std::abort();  // a write changes nothing
    CheckRequests(fake.written());
    if (block->inter_frame_gap != gap) std::abort();
    const bool comm_control = (parse.descriptor.gate_class & 0xFF) == '*';
    if (!comm_control && std::memcmp(enabled, block->enable_table, sizeof enabled) != 0)
      std::abort();
    std::free(value);
  }
  std::free(block);
  return 0;
}
