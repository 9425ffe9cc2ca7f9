# Compile options shared by every target of this project (not by third-party code such as
# GoogleTest, which is built with its own flags).

option(TAVRIK_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)
option(TAVRIK_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(TAVRIK_FUZZ "Build the libFuzzer targets (clang) instead of the test programs" OFF)

set(TAVRIK_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
                           -fno-omit-frame-pointer)
if(TAVRIK_SANITIZE)
  # Applied globally so that every object, GoogleTest included, links against one runtime.
  add_compile_options(${TAVRIK_SANITIZER_FLAGS})
  add_link_options(-fsanitize=address,undefined)
endif()
if(TAVRIK_FUZZ)
  # Coverage instrumentation everywhere; the fuzz targets link libFuzzer's own main.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

function(tavrik_compile_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wconversion -Wno-sign-conversion)
  if(TAVRIK_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# The driver itself: no exceptions, no run-time type information, only the entry point visible.
function(tavrik_driver_options target)
  tavrik_compile_options(${target})
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-rtti>)
  set_target_properties(${target} PROPERTIES
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    POSITION_INDEPENDENT_CODE ON)
endfunction()

# Windows binaries carry their C and C++ run-time support inside, so that they need no DLL
# beyond the system's own (and PELTAR.DLL for the driver).
function(tavrik_static_runtime target)
  if(WIN32)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()
