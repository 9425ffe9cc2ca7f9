// OrvMain must use the Windows API calling convention: the callee removes its one argument.
#include <gtest/gtest.h>

#include "driver_entry.h"
#include "log_capture.h"

// Calls function(argument) and returns by how much the call moved the stack pointer: 0 when the
// callee removed its argument, -4 when it left that to the caller. Written in assembly so that
// no compiler-generated stack adjustment hides the difference.
extern "C" int __cdecl StackDeltaAfterCall(void* function, void* argument);
asm(R"(
    .text
    .globl _StackDeltaAfterCall
_StackDeltaAfterCall:
    pushl %ebp
    movl  %esp, %ebp
    pushl %esi
    movl  %esp, %esi
    pushl 12(%ebp)
    call  *8(%ebp)
    movl  %esp, %eax
    subl  %esi, %eax
    movl  %esi, %esp
    popl  %esi
    popl  %ebp
    ret
)");

namespace tavrik::test {
namespace {

TEST(CallingConvention, OrvMainRemovesItsOwnArgument) {
  LogCapture log;  // keeps the refusal line off the console
  OrvRequest request{};
  request.code = ORV_GET_ORV_INFO;
  OrvInfo info{};
  request.params = &info;
  EXPECT_EQ(StackDeltaAfterCall(reinterpret_cast<void*>(DriverEntry()), &request), 0);
  EXPECT_EQ(info.instance_block_size, 294u);  // the call really ran
}

}  // namespace
}  // namespace tavrik::test
