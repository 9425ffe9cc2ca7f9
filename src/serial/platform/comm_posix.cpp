// The comm seam over POSIX termios, giving the Windows functions' observable semantics:
// exclusive opens, read time-outs counted from the call, queue counts, modem lines and breaks.
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>

#include "serial/platform/comm.h"
#include "serial/platform/posix_device_path.h"

namespace tavrik::comm {
namespace {

// Windows keeps a port's time-outs with its handle in the kernel; termios has nowhere to keep
// them. This table holds them per open descriptor instead: fixed size, no allocation, each slot
// claimed atomically at open and freed at close, and touched otherwise only by the port's user.
constexpr std::size_t kMaxOpenPorts = 256;
struct PortSlot {
  std::atomic<int> descriptor{-1};
  PortTimeouts timeouts{};
};
PortSlot open_ports[kMaxOpenPorts];

PortSlot* SlotOf(Handle handle) {
  for (PortSlot& slot : open_ports)
    if (slot.descriptor.load() == static_cast<int>(handle)) return &slot;
  return nullptr;
}

int DescriptorOf(Handle handle) {
  return SlotOf(handle) != nullptr ? static_cast<int>(handle) : -1;
}

struct Speed {
  uint32_t baud;
  speed_t code;
};
constexpr Speed kSpeeds[] = {
    {50, B50},       {75, B75},         {110, B110},       {134, B134},       {150, B150},
    {200, B200},     {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
    {2400, B2400},   {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
    {57600, B57600}, {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600},
};

bool SpeedCode(uint32_t baud, speed_t* code) {
  for (const Speed& speed : kSpeeds) {
    if (speed.baud == baud) {
      *code = speed.code;
      return true;
    }
  }
  return false;
}

uint32_t BaudOf(speed_t code) {
  for (const Speed& speed : kSpeeds)
    if (speed.code == code) return speed.baud;
  return 0;
}

constexpr tcflag_t kCharacterSizes[] = {CS5, CS6, CS7, CS8};
constexpr uint8_t kSmallestByteSize = 5;

enum Parity : uint8_t { kNone = 0, kOdd = 1, kEven = 2, kMark = 3, kSpace = 4 };
enum StopBits : uint8_t { kOne = 0, kOneAndHalf = 1, kTwo = 2 };

// The frame bits a configuration asks for; false for one termios cannot express. One and a half
// stop bits exist only with 5 data bits (where a UART's second stop bit is half as long), two
// only with more, as Windows has it.
bool FrameBits(const PortConfig& config, tcflag_t* bits) {
  if (config.byte_size < kSmallestByteSize || config.byte_size > 8) return false;
  tcflag_t frame = kCharacterSizes[config.byte_size - kSmallestByteSize];
  const bool five_bits = config.byte_size == kSmallestByteSize;
  switch (config.stop_bits) {
    case kOne:
      break;
    case kOneAndHalf:
      if (!five_bits) return false;
      frame |= CSTOPB;
      break;
    case kTwo:
      if (five_bits) return false;
      frame |= CSTOPB;
      break;
    default:
      return false;
  }
  switch (config.parity) {
    case kNone:
      break;
    case kOdd:
      frame |= PARENB | PARODD;
      break;
    case kEven:
      frame |= PARENB;
      break;
    case kMark:
      frame |= PARENB | PARODD | CMSPAR;
      break;
    case kSpace:
      frame |= PARENB | CMSPAR;
      break;
    default:
      return false;
  }
  *bits = frame;
  return true;
}

constexpr tcflag_t kFrameMask = CSIZE | CSTOPB | PARENB | PARODD | CMSPAR;

void SetModemLine(int descriptor, int line, bool on) {
  // Devices without modem lines (pseudo-terminals) refuse this; a configuration does not fail
  // for it, as under Windows.
  ioctl(descriptor, on ? TIOCMBIS : TIOCMBIC, &line);
}

int64_t NowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

constexpr uint32_t kMaxDword = 0xFFFFFFFF;
constexpr int kLongestPollMs = 1000000;

// Milliseconds from now until a point in time, 0 once it has passed.
int64_t Remaining(int64_t until, int64_t now) {
  return until > now ? until - now : 0;
}

// Waits until the descriptor is ready for events, for at most timeout_ms (negative: without
// limit; 0: only a look). False when the time ran out first.
bool WaitReady(int descriptor, short events, int64_t timeout_ms) {
  const int64_t until = timeout_ms < 0 ? -1 : NowMs() + timeout_ms;
  for (;;) {
    const int wait =
        until < 0 ? -1
                  : static_cast<int>(std::min<int64_t>(Remaining(until, NowMs()), kLongestPollMs));
    pollfd watch{descriptor, events, 0};
    const int ready = poll(&watch, 1, wait);
    if (ready > 0) return true;  // ready, or hung up: the transfer that follows tells which
    if (ready < 0 && errno != EINTR) return true;
    if (ready == 0 && until >= 0 && NowMs() >= until) return false;
  }
}

}  // namespace

bool Open(const char* name, Handle* handle) {
  char path[kDevicePathSize];
  if (name == nullptr || !DevicePath(name, path)) return false;
  // Non-blocking, so that opening a serial line does not wait for its carrier; reads and writes
  // wait with poll() under the port's time-outs instead.
  int descriptor = open(path, O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
  if (descriptor < 0) return false;
  if (descriptor == 0) {  // 0 means "no port" to the driver: move it
    const int moved = fcntl(descriptor, F_DUPFD_CLOEXEC, 1);
    close(descriptor);
    if (moved < 0) return false;
    descriptor = moved;
  }
  // Unshared: a lock on the open file description, so that a second open fails even in this
  // process and even as root. The null device is shared, as on Windows.
  if (std::strcmp(path, kNullDevicePath) != 0 && flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
    close(descriptor);
    return false;
  }
  for (PortSlot& slot : open_ports) {
    int free_slot = -1;
    if (slot.descriptor.compare_exchange_strong(free_slot, descriptor)) {
      slot.timeouts = PortTimeouts{};
      *handle = static_cast<Handle>(descriptor);
      return true;
    }
  }
  close(descriptor);  // more ports open than the table holds
  return false;
}

bool Close(Handle handle) {
  PortSlot* slot = SlotOf(handle);
  if (slot == nullptr) return false;
  slot->descriptor.store(-1);
  return close(static_cast<int>(handle)) == 0;
}

bool GetConfig(Handle handle, PortConfig* config) {
  termios settings{};
  const int descriptor = DescriptorOf(handle);
  if (descriptor < 0 || tcgetattr(descriptor, &settings) != 0) return false;
  PortConfig c{};
  c.baud_rate = BaudOf(cfgetospeed(&settings));
  c.binary = true;
  c.parity_check = (settings.c_iflag & INPCK) != 0;
  c.out_cts_flow = (settings.c_cflag & CRTSCTS) != 0;
  c.dtr_control = DtrControl::kEnable;
  c.rts_control = c.out_cts_flow ? RtsControl::kHandshake : RtsControl::kEnable;
  c.out_x = (settings.c_iflag & IXON) != 0;
  c.in_x = (settings.c_iflag & IXOFF) != 0;
  c.byte_size = static_cast<uint8_t>(kSmallestByteSize + ((settings.c_cflag & CSIZE) == CS8   ? 3
                                                          : (settings.c_cflag & CSIZE) == CS7 ? 2
                                                          : (settings.c_cflag & CSIZE) == CS6 ? 1
                                                                                              : 0));
  if (!(settings.c_cflag & PARENB)) {
    c.parity = kNone;
  } else if (settings.c_cflag & CMSPAR) {
    c.parity = (settings.c_cflag & PARODD) ? kMark : kSpace;
  } else {
    c.parity = (settings.c_cflag & PARODD) ? kOdd : kEven;
  }
  c.stop_bits = !(settings.c_cflag & CSTOPB)       ? kOne
                : c.byte_size == kSmallestByteSize ? kOneAndHalf
                                                   : kTwo;
  c.xon_char = static_cast<char>(settings.c_cc[VSTART]);
  c.xoff_char = static_cast<char>(settings.c_cc[VSTOP]);
  *config = c;
  return true;
}

bool SetConfig(Handle handle, const PortConfig& config) {
  const int descriptor = DescriptorOf(handle);
  termios settings{};
  speed_t speed{};
  tcflag_t frame{};
  if (descriptor < 0 || tcgetattr(descriptor, &settings) != 0) return false;
  if (!SpeedCode(config.baud_rate, &speed) || !FrameBits(config, &frame)) return false;

  // Raw bytes both ways: no echo, no line editing, no signals, no CR/LF translation.
  settings.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR |
                                             ICRNL | IXON | IXOFF | IXANY | INPCK | IGNPAR);
  settings.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  settings.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  settings.c_cflag &= ~(kFrameMask | CRTSCTS);
  settings.c_cflag |= frame | CREAD | CLOCAL;
  if (config.parity_check) settings.c_iflag |= INPCK;
  if (config.out_x) settings.c_iflag |= IXON;
  if (config.in_x) settings.c_iflag |= IXOFF;
  if (config.out_cts_flow || config.rts_control == RtsControl::kHandshake)
    settings.c_cflag |= CRTSCTS;
  settings.c_cc[VSTART] = static_cast<cc_t>(config.xon_char);
  settings.c_cc[VSTOP] = static_cast<cc_t>(config.xoff_char);
  settings.c_cc[VMIN] = 1;
  settings.c_cc[VTIME] = 0;
  cfsetispeed(&settings, speed);
  cfsetospeed(&settings, speed);
  if (tcsetattr(descriptor, TCSANOW, &settings) != 0) return false;

  // tcsetattr succeeds when any part of the change was made: read back what the device took.
  termios taken{};
  if (tcgetattr(descriptor, &taken) != 0 || cfgetospeed(&taken) != speed ||
      (taken.c_cflag & kFrameMask) != frame)
    return false;

  SetModemLine(descriptor, TIOCM_DTR, config.dtr_control != DtrControl::kDisable);
  if (config.rts_control == RtsControl::kEnable || config.rts_control == RtsControl::kDisable)
    SetModemLine(descriptor, TIOCM_RTS, config.rts_control == RtsControl::kEnable);
  return true;
}

bool GetTimeouts(Handle handle, PortTimeouts* timeouts) {
  PortSlot* slot = SlotOf(handle);
  if (slot == nullptr) return false;
  *timeouts = slot->timeouts;
  return true;
}

bool SetTimeouts(Handle handle, const PortTimeouts& timeouts) {
  PortSlot* slot = SlotOf(handle);
  if (slot == nullptr) return false;
  slot->timeouts = timeouts;
  return true;
}

// The tty layer's buffers have a fixed size; any request for 1200 bytes or so fits them.
bool SetQueueSizes(Handle handle, uint32_t, uint32_t) {
  return SlotOf(handle) != nullptr;
}

bool ClearErrors(Handle handle, PortStatus* status) {
  const int descriptor = DescriptorOf(handle);
  int input = 0;
  int output = 0;
  if (descriptor < 0 || ioctl(descriptor, FIONREAD, &input) != 0 ||
      ioctl(descriptor, TIOCOUTQ, &output) != 0)
    return false;
  *status = PortStatus{0, static_cast<uint32_t>(input), static_cast<uint32_t>(output)};
  return true;
}

bool ChangeLine(Handle handle, LineChange change) {
  const int descriptor = DescriptorOf(handle);
  if (descriptor < 0) return false;
  int line = 0;
  unsigned long request = 0;
  switch (change) {
    case LineChange::kSetRts:
      line = TIOCM_RTS;
      request = TIOCMBIS;
      break;
    case LineChange::kClearRts:
      line = TIOCM_RTS;
      request = TIOCMBIC;
      break;
    case LineChange::kSetDtr:
      line = TIOCM_DTR;
      request = TIOCMBIS;
      break;
    case LineChange::kClearDtr:
      line = TIOCM_DTR;
      request = TIOCMBIC;
      break;
  }
  return ioctl(descriptor, request, &line) == 0;
}

bool Read(Handle handle, void* buffer, uint32_t count, uint32_t* bytes_read) {
  PortSlot* slot = SlotOf(handle);
  if (slot == nullptr) return false;
  const int descriptor = static_cast<int>(handle);
  const PortTimeouts t = slot->timeouts;
  auto* bytes = static_cast<unsigned char*>(buffer);
  uint32_t got = 0;
  *bytes_read = 0;

  // An interval of MAXDWORD with no total time-out returns at once with what has come.
  const bool return_at_once =
      t.read_interval == kMaxDword && t.read_total_multiplier == 0 && t.read_total_constant == 0;
  // The total time-out counts from the call; the interval time-out from the last byte.
  const uint64_t total =
      static_cast<uint64_t>(t.read_total_multiplier) * count + t.read_total_constant;
  const int64_t deadline = total > 0 ? NowMs() + static_cast<int64_t>(total) : -1;
  int64_t last_byte = 0;

  // Wait first, read then: one poll() and one read() a character when they come one by one.
  while (got < count) {
    if (!return_at_once) {
      const int64_t now = NowMs();
      int64_t wait = deadline < 0 ? -1 : Remaining(deadline, now);
      if (t.read_interval > 0 && got > 0) {
        const int64_t interval_left = Remaining(last_byte + t.read_interval, now);
        wait = wait < 0 ? interval_left : std::min(wait, interval_left);
      }
      if (!WaitReady(descriptor, POLLIN, wait)) break;  // timed out
    }
    const ssize_t n = read(descriptor, bytes + got, count - got);
    if (n > 0) {
      got += static_cast<uint32_t>(n);
      last_byte = NowMs();
    } else if (n == 0) {
      break;  // end of file: the null device has nothing to give
    } else if (errno == EAGAIN) {
      if (return_at_once) break;  // otherwise a wake-up with nothing to read: wait again
    } else if (errno != EINTR) {
      *bytes_read = got;
      return false;  // EIO and the like: the device is gone
    }
  }
  *bytes_read = got;
  return true;
}

bool Write(Handle handle, const void* buffer, uint32_t count, uint32_t* bytes_written) {
  const int descriptor = DescriptorOf(handle);
  if (descriptor < 0) return false;
  const auto* bytes = static_cast<const unsigned char*>(buffer);
  uint32_t done = 0;
  while (done < count) {
    const ssize_t n = write(descriptor, bytes + done, count - done);
    if (n > 0) {
      done += static_cast<uint32_t>(n);
    } else if (n < 0 && errno == EAGAIN) {
      WaitReady(descriptor, POLLOUT, -1);  // writes have no time-out
    } else if (!(n < 0 && errno == EINTR)) {
      *bytes_written = done;
      return false;
    }
  }
  *bytes_written = done;
  return true;
}

bool SetBreak(Handle handle) {
  const int descriptor = DescriptorOf(handle);
  return descriptor >= 0 && ioctl(descriptor, TIOCSBRK) == 0;
}

bool ClearBreak(Handle handle) {
  const int descriptor = DescriptorOf(handle);
  return descriptor >= 0 && ioctl(descriptor, TIOCCBRK) == 0;
}

void Sleep(uint32_t milliseconds) {
  if (milliseconds == 0) {
    sched_yield();
    return;
  }
  timespec left{static_cast<time_t>(milliseconds / 1000),
                static_cast<long>(milliseconds % 1000) * 1000000L};
  while (nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}

uint32_t Milliseconds() {
  return static_cast<uint32_t>(NowMs());
}

}  // namespace tavrik::comm
