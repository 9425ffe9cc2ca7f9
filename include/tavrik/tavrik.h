/* The TAVRIK driver's public interface: one entry point, OrvMain, taking one OrvRequest. */
#ifndef TAVRIK_TAVRIK_H
#define TAVRIK_TAVRIK_H

#include <stdint.h>

#include "tavrik/codes.h"
#include "tavrik/records.h"

#ifdef __cplusplus
extern "C" {
#endif

/* OrvMain uses the Windows API calling convention there (the callee removes its argument). */
#if defined(_WIN32)
#define ORV_CALL __stdcall
#else
#define ORV_CALL
#endif

#if defined(_WIN32)
#define ORV_EXPORT /* exported by the module definition file, under its undecorated name */
#else
#define ORV_EXPORT __attribute__((visibility("default")))
#endif

/* Runs the operation named by request->code and returns its result, an OrvResult. */
ORV_EXPORT int32_t ORV_CALL OrvMain(const OrvRequest* request);

/* The type of OrvMain, for hosts that look it up in a loaded library. */
typedef int32_t(ORV_CALL* OrvMainFunction)(const OrvRequest* request);

#ifdef __cplusplus
}
#endif

#endif /* TAVRIK_TAVRIK_H */
