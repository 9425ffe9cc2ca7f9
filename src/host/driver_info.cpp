#include "host/driver_info.h"

#include <array>
#include <cstddef>

#include "host/log.h"
#include "instance/instance_block.h"
#include "tavrik/codes.h"

namespace tavrik {
namespace {

constexpr int32_t kDriverKind = 70;
constexpr const char* kShortName = "FGH Controllers";

// Defaults the host may offer for a new instance: 40 ms reply time-out, 9600 baud, 8 data bits,
// one stop bit, no parity.
constexpr int32_t kDefaultReplyTimeout = 4;
constexpr CommSettings kDefaultSettings = {9600, 8, 0, 0};

// The banner: a title in a double-line frame, drawn with code page 437 box characters.
constexpr char kBannerTitle[] =
    " TAVRIK: FGH controllers (450, 1000, 2000, 3000, RTA and ICU series)   ";
constexpr std::size_t kFrameWidth = sizeof kBannerTitle - 1;
static_assert(kFrameWidth == 71);

constexpr unsigned char kBannerLead = 0x08;  // the banner's first byte
constexpr unsigned char kBoxTopLeft = 0xC9;
constexpr unsigned char kBoxTopRight = 0xBB;
constexpr unsigned char kBoxBottomLeft = 0xC8;
constexpr unsigned char kBoxBottomRight = 0xBC;
constexpr unsigned char kBoxHorizontal = 0xCD;
constexpr unsigned char kBoxVertical = 0xBA;

// Three lines of 74, 73 and 73 bytes joined by two line feeds, then the terminator.
constexpr std::size_t kBannerLength =
    (kFrameWidth + 3) + 1 + (kFrameWidth + 2) + 1 + (kFrameWidth + 2);
static_assert(kBannerLength == 222);

constexpr std::array<char, kBannerLength + 1> MakeBanner() {
  std::array<char, kBannerLength + 1> banner{};
  std::size_t at = 0;
  auto put = [&](unsigned char byte) { banner[at++] = static_cast<char>(byte); };
  auto rule = [&](unsigned char left, unsigned char right) {
    put(left);
    for (std::size_t i = 0; i < kFrameWidth; ++i) put(kBoxHorizontal);
    put(right);
  };
  put(kBannerLead);
  rule(kBoxTopLeft, kBoxTopRight);
  put('\n');
  put(kBoxVertical);
  for (std::size_t i = 0; i < kFrameWidth; ++i) put(static_cast<unsigned char>(kBannerTitle[i]));
  put(kBoxVertical);
  put('\n');
  rule(kBoxBottomLeft, kBoxBottomRight);
  banner[at] = '\0';
  return banner;
}

// Static, so both pointers handed out stay valid while the library is loaded.
constexpr std::array<char, kBannerLength + 1> kBanner = MakeBanner();

}  // namespace

int32_t GetOrvInfo(const OrvRequest& request) {
  auto* info = static_cast<OrvInfo*>(request.params);
  info->kind = kDriverKind;
  info->short_name = kShortName;
  info->banner = kBanner.data();
  info->instance_block_size = kInstanceBlockSize;
  info->reply_timeout = kDefaultReplyTimeout;
  info->settings = kDefaultSettings;
  info->reserved = 0;
  TAVRIK_LOG(kLogTrace, "TAVRIK> GetOrvInfo() exited");
  return ORV_DONE;
}

}  // namespace tavrik
