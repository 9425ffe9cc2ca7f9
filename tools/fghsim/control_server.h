// The control channel's socket: a Unix-domain stream socket; clients send command lines and read
// one answer line for each. Non-blocking throughout; a client that misbehaves is disconnected.
#pragma once

#include <poll.h>

#include <string>
#include <string_view>
#include <vector>

namespace fghsim {

class ControlServer {
 public:
  struct Command {
    int client = -1;
    std::string line;
  };

  ControlServer() = default;
  ~ControlServer();
  ControlServer(const ControlServer&) = delete;
  ControlServer& operator=(const ControlServer&) = delete;

  // Listens at the path; a stale socket left there is replaced, a live one is refused. Throws
  // std::runtime_error.
  void Listen(const std::string& path);
  void Close();

  // The descriptors to watch, appended to fds.
  void Watch(std::vector<pollfd>& fds) const;
  // After poll: accepts clients, reads, and returns the complete command lines.
  std::vector<Command> Service(const std::vector<pollfd>& fds);
  // Sends one answer line to a client.
  void Answer(int client, std::string_view text);

 private:
  struct Client {
    int fd = -1;
    std::string partial;
  };

  void Accept();
  void Disconnect(int fd);

  std::string path_;
  int listener_ = -1;
  std::vector<Client> clients_;
};

}  // namespace fghsim
