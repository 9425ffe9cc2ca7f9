/* Records shared between a host and the TAVRIK driver. The host owns every one of them; the driver
   reads and writes them only during a call of OrvMain.

   On 32-bit targets the layout is fixed field by field (asserted below). A 64-bit build keeps the
   fields' order and widths, widens pointers to 8 bytes and gives every field its natural
   alignment, which is what a 64-bit host compiled from this header gets. */
#ifndef TAVRIK_RECORDS_H
#define TAVRIK_RECORDS_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Line settings. Stop bits: 0 one, 1 one and a half, 2 two. Parity: 0 none, 1 odd, 2 even,
   3 mark, 4 space. Only the low byte of the last three fields is used. */
typedef struct CommSettings {
  uint16_t baud_rate;
  uint16_t data_bits;
  uint16_t stop_bits;
  uint16_t parity;
} CommSettings;

/* One call of OrvMain. */
typedef struct OrvRequest {
  void* instance;           /* the instance's InstanceBlock */
  uint32_t code;            /* operation code, OrvOperation */
  uint32_t instance_number; /* selects the initialisation file at ColdStart */
  uint32_t unused;
  void* params; /* the operation's parameter record */
} OrvRequest;

/* Filled by GetOrvInfo. */
typedef struct OrvInfo {
  int32_t kind;                 /* always 70 */
  const char* short_name;       /* "FGH Controllers" */
  const char* banner;           /* three lines in code page 437, NUL-terminated */
  uint32_t instance_block_size; /* bytes the host allocates per instance */
  int32_t reply_timeout;        /* default reply time-out, tens of milliseconds */
  CommSettings settings;        /* default line settings */
  uint32_t reserved;            /* always 0 */
} OrvInfo;

/* Parameters of ColdStart. */
typedef struct ColdStartParams {
  char port_name[12];    /* NUL-terminated, at most 11 characters; "NULLDEV" or "NUL": no line */
  int32_t port_flag;     /* 0: this instance opens no port */
  int32_t reply_timeout; /* tens of milliseconds */
  CommSettings settings;
} ColdStartParams;

/* Parameters of ChangeOrvParams. */
typedef struct ChangeParams {
  char port_name[12];    /* NUL-terminated, at most 11 characters */
  int32_t reply_timeout; /* tens of milliseconds; 0 and -1 keep the current one */
  CommSettings settings; /* a baud rate of 0 keeps the current settings */
} ChangeParams;

/* What the parser makes of a gate address; the host keeps it and hands it back unchanged. */
typedef struct GateDescriptor {
  uint32_t controller;     /* 0 to 99; 255 for communication-control gates */
  int32_t gate_class;      /* class character; command character in bits 16 to 23 */
  uint32_t parameter_word; /* low 16 bits: secondary parameter or 0xFFFF; high: reply length */
  int32_t reserved;        /* always -1 */
  uint32_t width;          /* 1, 16 or 32 */
} GateDescriptor;

/* Parameters of SingleAddressParser. */
typedef struct ParseRecord {
  const char* address; /* the gate address text, NUL-terminated */
  uint32_t unused1;
  int32_t gate_type; /* OrvGateType */
  uint32_t unused2;
  GateDescriptor descriptor; /* written by the parser */
} ParseRecord;

/* Room for a text gate's value: the longest text a read stores and its terminator. */
#define ORV_VALUE_TEXT_SIZE 124

/* One gate's value, where the gate type puts it. */
typedef union ValueBlock {
  char text[ORV_VALUE_TEXT_SIZE]; /* type 7, from offset 0 */
  int32_t signed32;               /* type 4, offset 0 */
  uint32_t unsigned32;            /* type 5, offset 0 */
  int16_t signed16[2];            /* type 1: element 1, offset 2 */
  uint16_t unsigned16[2];         /* types 0 and 2: element 1, offset 2 */
} ValueBlock;

/* Parameters of SingleRead and SingleWrite. */
typedef struct GateRecord {
  const char* address; /* the gate address text as the host holds it */
  uint32_t unused1;
  GateDescriptor descriptor; /* as SingleAddressParser filled it */
  int32_t gate_type;         /* OrvGateType */
  uint32_t unused2[2];
  ValueBlock* value;
} GateRecord;

#ifdef __cplusplus
#define TAVRIK_LAYOUT_ASSERT(condition) static_assert(condition, #condition)
#else
#define TAVRIK_LAYOUT_ASSERT(condition) _Static_assert(condition, #condition)
#endif

/* Records whose layout does not depend on the pointer width. */
TAVRIK_LAYOUT_ASSERT(sizeof(CommSettings) == 8);
TAVRIK_LAYOUT_ASSERT(offsetof(CommSettings, data_bits) == 2);
TAVRIK_LAYOUT_ASSERT(offsetof(CommSettings, stop_bits) == 4);
TAVRIK_LAYOUT_ASSERT(offsetof(CommSettings, parity) == 6);
TAVRIK_LAYOUT_ASSERT(sizeof(ColdStartParams) == 28);
TAVRIK_LAYOUT_ASSERT(offsetof(ColdStartParams, port_flag) == 12);
TAVRIK_LAYOUT_ASSERT(offsetof(ColdStartParams, reply_timeout) == 16);
TAVRIK_LAYOUT_ASSERT(offsetof(ColdStartParams, settings) == 20);
TAVRIK_LAYOUT_ASSERT(sizeof(ChangeParams) == 24);
TAVRIK_LAYOUT_ASSERT(offsetof(ChangeParams, reply_timeout) == 12);
TAVRIK_LAYOUT_ASSERT(offsetof(ChangeParams, settings) == 16);
TAVRIK_LAYOUT_ASSERT(sizeof(GateDescriptor) == 20);
TAVRIK_LAYOUT_ASSERT(offsetof(GateDescriptor, gate_class) == 4);
TAVRIK_LAYOUT_ASSERT(offsetof(GateDescriptor, parameter_word) == 8);
TAVRIK_LAYOUT_ASSERT(offsetof(GateDescriptor, reserved) == 12);
TAVRIK_LAYOUT_ASSERT(offsetof(GateDescriptor, width) == 16);
TAVRIK_LAYOUT_ASSERT(sizeof(ValueBlock) == ORV_VALUE_TEXT_SIZE);
TAVRIK_LAYOUT_ASSERT(offsetof(ValueBlock, signed16[1]) == 2);
TAVRIK_LAYOUT_ASSERT(offsetof(ValueBlock, unsigned16[1]) == 2);

#if UINTPTR_MAX == 0xFFFFFFFFu
TAVRIK_LAYOUT_ASSERT(sizeof(OrvRequest) == 20);
TAVRIK_LAYOUT_ASSERT(offsetof(OrvRequest, code) == 4);
TAVRIK_LAYOUT_ASSERT(offsetof(OrvRequest, instance_number) == 8);
TAVRIK_LAYOUT_ASSERT(offsetof(OrvRequest, unused) == 12);
TAVRIK_LAYOUT_ASSERT(offsetof(OrvRequest, params) == 16);
TAVRIK_LAYOUT_ASSERT(sizeof(OrvInfo) == 32);
TAVRIK_LAYOUT_ASSERT(offsetof(OrvInfo, short_name) == 4);
TAVRIK_LAYOUT_ASSERT(offsetof(OrvInfo, banner) == 8);
TAVRIK_LAYOUT_ASSERT(offsetof(OrvInfo, instance_block_size) == 12);
TAVRIK_LAYOUT_ASSERT(offsetof(OrvInfo, reply_timeout) == 16);
TAVRIK_LAYOUT_ASSERT(offsetof(OrvInfo, settings) == 20);
TAVRIK_LAYOUT_ASSERT(offsetof(OrvInfo, reserved) == 28);
TAVRIK_LAYOUT_ASSERT(sizeof(ParseRecord) == 36);
TAVRIK_LAYOUT_ASSERT(offsetof(ParseRecord, gate_type) == 8);
TAVRIK_LAYOUT_ASSERT(offsetof(ParseRecord, descriptor) == 16);
TAVRIK_LAYOUT_ASSERT(sizeof(GateRecord) == 44);
TAVRIK_LAYOUT_ASSERT(offsetof(GateRecord, descriptor) == 8);
TAVRIK_LAYOUT_ASSERT(offsetof(GateRecord, gate_type) == 28);
TAVRIK_LAYOUT_ASSERT(offsetof(GateRecord, unused2) == 32);
TAVRIK_LAYOUT_ASSERT(offsetof(GateRecord, value) == 40);
#elif UINTPTR_MAX == 0xFFFFFFFFFFFFFFFFu
TAVRIK_LAYOUT_ASSERT(sizeof(OrvRequest) == 32);
TAVRIK_LAYOUT_ASSERT(offsetof(OrvRequest, code) == 8);
TAVRIK_LAYOUT_ASSERT(offsetof(OrvRequest, instance_number) == 12);
TAVRIK_LAYOUT_ASSERT(offsetof(OrvRequest, unused) == 16);
TAVRIK_LAYOUT_ASSERT(offsetof(OrvRequest, params) == 24);
TAVRIK_LAYOUT_ASSERT(sizeof(OrvInfo) == 48);
TAVRIK_LAYOUT_ASSERT(offsetof(OrvInfo, short_name) == 8);
TAVRIK_LAYOUT_ASSERT(offsetof(OrvInfo, banner) == 16);
TAVRIK_LAYOUT_ASSERT(offsetof(OrvInfo, instance_block_size) == 24);
TAVRIK_LAYOUT_ASSERT(offsetof(OrvInfo, reply_timeout) == 28);
TAVRIK_LAYOUT_ASSERT(offsetof(OrvInfo, settings) == 32);
TAVRIK_LAYOUT_ASSERT(offsetof(OrvInfo, settings.data_bits) == 34);
TAVRIK_LAYOUT_ASSERT(offsetof(OrvInfo, settings.stop_bits) == 36);
TAVRIK_LAYOUT_ASSERT(offsetof(OrvInfo, settings.parity) == 38);
TAVRIK_LAYOUT_ASSERT(offsetof(OrvInfo, reserved) == 40);
TAVRIK_LAYOUT_ASSERT(sizeof(ParseRecord) == 40);
TAVRIK_LAYOUT_ASSERT(offsetof(ParseRecord, unused1) == 8);
TAVRIK_LAYOUT_ASSERT(offsetof(ParseRecord, gate_type) == 12);
TAVRIK_LAYOUT_ASSERT(offsetof(ParseRecord, unused2) == 16);
TAVRIK_LAYOUT_ASSERT(offsetof(ParseRecord, descriptor) == 20);
TAVRIK_LAYOUT_ASSERT(sizeof(GateRecord) == 56);
TAVRIK_LAYOUT_ASSERT(offsetof(GateRecord, unused1) == 8);
TAVRIK_LAYOUT_ASSERT(offsetof(GateRecord, descriptor) == 12);
TAVRIK_LAYOUT_ASSERT(offsetof(GateRecord, gate_type) == 32);
TAVRIK_LAYOUT_ASSERT(offsetof(GateRecord, unused2) == 36);
TAVRIK_LAYOUT_ASSERT(offsetof(GateRecord, value) == 48);
#else
#error "unsupported pointer width"
#endif

#undef TAVRIK_LAYOUT_ASSERT

#ifdef __cplusplus
}
#endif

#endif /* TAVRIK_RECORDS_H */
