#include "control_server.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace fghsim {

namespace {

constexpr size_t kMostClients = 16;
constexpr size_t kLongestCommand = 4096;

sockaddr_un AddressOf(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) {
    throw std::runtime_error("the control socket path " + path + " is too long");
  }
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return address;
}

// Whether something listens at the path (a socket of a simulator still running).
bool SomeoneListens(const sockaddr_un& address) {
  const int probe = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (probe < 0) return false;
  const bool listens =
      connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  close(probe);
  return listens;
}

const pollfd* Find(const std::vector<pollfd>& fds, int fd) {
  for (const pollfd& each : fds) {
    if (each.fd == fd) return &each;
  }
  return nullptr;
}

}  // namespace

ControlServer::~ControlServer() {
  Close();
}

void ControlServer::Listen(const std::string& path) {
  const sockaddr_un address = AddressOf(path);
  struct stat status {};
  if (lstat(path.c_str(), &status) == 0) {
    if (!S_ISSOCK(status.st_mode)) {
      throw std::runtime_error(path + " exists and is not a socket; not replacing it");
    }
    if (SomeoneListens(address)) throw std::runtime_error(path + " is in use by another program");
    unlink(path.c_str());
  }
  listener_ = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (listener_ < 0 ||
      bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener_, 8) != 0) {
    const std::string message = "cannot listen at " + path + ": " + std::strerror(errno);
    if (listener_ >= 0) close(listener_);
    listener_ = -1;
    throw std::runtime_error(message);
  }
  path_ = path;
}

void ControlServer::Close() {
  for (const Client& client : clients_) close(client.fd);
  clients_.clear();
  if (listener_ >= 0) {
    close(listener_);
    unlink(path_.c_str());
  }
  listener_ = -1;
}

void ControlServer::Watch(std::vector<pollfd>& fds) const {
  if (listener_ >= 0) fds.push_back({listener_, POLLIN, 0});
  for (const Client& client : clients_) fds.push_back({client.fd, POLLIN, 0});
}

std::vector<ControlServer::Command> ControlServer::Service(const std::vector<pollfd>& fds) {
  std::vector<Command> commands;
  std::vector<int> gone;
  for (Client& client : clients_) {
    const pollfd* watched = Find(fds, client.fd);
    if (watched == nullptr || watched->revents == 0) continue;
    char buffer[1024];
    const ssize_t n = recv(client.fd, buffer, sizeof buffer, MSG_DONTWAIT);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    if (n <= 0) {
      gone.push_back(client.fd);
      continue;
    }
    for (ssize_t i = 0; i < n; ++i) {
      if (buffer[i] == '\n') {
        commands.push_back({client.fd, std::move(client.partial)});
        client.partial.clear();
      } else {
        client.partial += buffer[i];
      }
    }
    if (client.partial.size() > kLongestCommand) gone.push_back(client.fd);
  }
  for (const int fd : gone) Disconnect(fd);
  const pollfd* listening = Find(fds, listener_);
  if (listening != nullptr && (listening->revents & POLLIN) != 0) Accept();
  return commands;
}

void ControlServer::Accept() {
  const int fd = accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
  if (fd < 0) return;
  if (clients_.size() >= kMostClients) {
    static constexpr std::string_view kBusy = "error too many control clients\n";
    send(fd, kBusy.data(), kBusy.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    close(fd);
    return;
  }
  clients_.push_back({fd, {}});
}

void ControlServer::Answer(int client, std::string_view text) {
  const auto it = std::find_if(clients_.begin(), clients_.end(),
                               [&](const Client& each) { return each.fd == client; });
  if (it == clients_.end()) return;
  const std::string line = std::string(text) + "\n";
  // Answers are short: a client whose socket cannot take one is not reading them.
  const ssize_t n = send(client, line.data(), line.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
  if (n != static_cast<ssize_t>(line.size())) Disconnect(client);
}

void ControlServer::Disconnect(int fd) {
  const auto it = std::find_if(clients_.begin(), clients_.end(),
                               [&](const Client& each) { return each.fd == fd; });
  if (it == clients_.end()) return;
  close(it->fd);
  clients_.erase(it);
}

}  // namespace fghsim
