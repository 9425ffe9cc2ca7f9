/* Stand-in for the host's core library: the log call err() that the driver imports, and the
   means for a host to choose where the lines go. Real hosts bring their own library. */
#ifndef PELTAR_H
#define PELTAR_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32)
#if defined(PELTAR_BUILDING)
#define PELTAR_API __declspec(dllexport)
#else
#define PELTAR_API __declspec(dllimport)
#endif
#else
#define PELTAR_API __attribute__((visibility("default")))
#endif

/* Receives one formatted line (no line feed) and its level. */
typedef void (*PeltarSink)(void* context, int32_t level, const char* line);

/* Formats a printf-style line and hands it to the current destination: the registered sink if
   there is one, else the log file if one is set, else standard error. File and standard-error
   lines read "[level] text". */
PELTAR_API void err(int32_t level, const char* format, ...) __attribute__((format(printf, 2, 3)));

/* Sends every later line to sink (with context); a null sink restores the file or standard
   error. */
PELTAR_API void peltar_set_sink(PeltarSink sink, void* context);

/* Appends every later line to the file at path (a null path returns to standard error).
   Returns 0, or -1 when the file cannot be opened, in which case the destination is unchanged. */
PELTAR_API int32_t peltar_set_file(const char* path);

#ifdef __cplusplus
}
#endif

#endif /* PELTAR_H */
