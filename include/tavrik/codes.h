/* Operation codes, result codes, gate types and log levels of the TAVRIK driver. */
#ifndef TAVRIK_CODES_H
#define TAVRIK_CODES_H

/* Operation codes of OrvRequest.code. Codes 8, 9 and 16 are empty slots. */
enum OrvOperation {
  ORV_COLD_START = 1,
  ORV_WARM_START = 2,
  ORV_SINGLE_ADDRESS_PARSER = 3,
  ORV_BLOCK_ADDRESS_PARSER = 4,
  ORV_SINGLE_READ = 5,
  ORV_BLOCK_READ = 6,
  ORV_SINGLE_WRITE = 7,
  ORV_BLOCK_WRITE = 10,
  ORV_END_ORV = 11,
  ORV_CLOSE_COM = 12,
  ORV_RE_OPEN_COM = 13,
  ORV_GET_ORV_INFO = 14,
  ORV_CHANGE_ORV_PARAMS = 15
};

/* The highest operation code; codes run from 1 to this. */
#define ORV_OPERATION_SLOTS 16

/* Result codes returned by OrvMain. 1 and 2 both mean the operation was not done; each operation
   states which condition gives which. */
enum OrvResult { ORV_DONE = 0, ORV_NOT_DONE = 1, ORV_FAILED = 2 };

/* Gate type codes, chosen in the host and passed in ParseRecord and GateRecord. */
enum OrvGateType {
  ORV_GATE_UNSIGNED16 = 0,        /* unsigned 16-bit at offset 2 of the ValueBlock */
  ORV_GATE_SIGNED16 = 1,          /* signed 16-bit at offset 2 */
  ORV_GATE_UNSIGNED16_OUTPUT = 2, /* unsigned 16-bit at offset 2, written but never read */
  ORV_GATE_UNSUPPORTED = 3,       /* accepted for no kind of gate */
  ORV_GATE_SIGNED32 = 4,          /* signed 32-bit at offset 0 */
  ORV_GATE_UNSIGNED32 = 5,        /* unsigned 32-bit at offset 0 */
  ORV_GATE_TRIGGER = 6,           /* no value: command and communication-control gates only */
  ORV_GATE_TEXT = 7               /* NUL-terminated text from offset 0 */
};

/* Levels of the lines the driver hands to the host's err(). */
enum OrvLogLevel { ORV_LOG_ERROR = 32, ORV_LOG_TRACE = 64 };

#endif /* TAVRIK_CODES_H */
