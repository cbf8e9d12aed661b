// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace tv::test {

LoopbackServer::LoopbackServer() {
  listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;  // a free port
  socklen_t size = sizeof address;
  if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
      listen(listener_, 16) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    return;
  }
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

LoopbackServer::~LoopbackServer() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  if (listener_ >= 0) close(listener_);
}

void LoopbackServer::Page(const std::string& path, const std::string& body) {
  std::lock_guard<std::mutex> lock(mutex_);
  pages_[path] = body;
}

void LoopbackServer::Typed(const std::string& path, const std::string& body,
                           const std::string& type) {
  Raw(path, "Content-Type: " + type + "\r\n", body);
}

void LoopbackServer::Redirect(const std::string& path, const std::string& to) {
  std::lock_guard<std::mutex> lock(mutex_);
  redirects_[path] = to;
}

void LoopbackServer::Cacheable(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  cacheable_.push_back(path);
}

std::vector<std::string> LoopbackServer::Referers(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<std::string> out;
  for (const auto& [p, referer] : referers_)
    if (p == path) out.push_back(referer);
  return out;
}

void LoopbackServer::Raw(const std::string& path, const std::string& headers,
                         const std::string& body) {
  std::lock_guard<std::mutex> lock(mutex_);
  pages_[path] = body;
  headers_[path] = headers;
}

std::string LoopbackServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> LoopbackServer::Requests() {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

int LoopbackServer::Count(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<int>(std::count(requests_.begin(), requests_.end(), path));
}

void LoopbackServer::Serve() {
  while (!stop_) {
    pollfd p{listener_, POLLIN, 0};
    if (poll(&p, 1, 50) <= 0) continue;
    int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) continue;
    Answer(client);
    close(client);
  }
}

void LoopbackServer::Answer(int client) {
  std::string request;
  char buffer[4096];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
    pollfd p{client, POLLIN, 0};
    if (poll(&p, 1, 2000) <= 0) return;
    ssize_t n = read(client, buffer, sizeof buffer);
    if (n <= 0) return;
    request.append(buffer, static_cast<size_t>(n));
  }
  // "GET /path HTTP/1.1"
  const size_t first = request.find(' ');
  const size_t second = first == std::string::npos ? first : request.find(' ', first + 1);
  std::string path =
      second == std::string::npos ? "" : request.substr(first + 1, second - first - 1);
  std::string body, moved, headers;
  bool found = false, keep = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(path);
    const size_t at = request.find("\r\nReferer: ");
    referers_.emplace_back(path,
                           at == std::string::npos
                               ? ""
                               : request.substr(at + 11, request.find("\r\n", at + 11) - at - 11));
    auto it = pages_.find(path);
    if (it != pages_.end()) {
      body = it->second;
      found = true;
    }
    if (auto r = redirects_.find(path); r != redirects_.end()) moved = r->second;
    keep = std::find(cacheable_.begin(), cacheable_.end(), path) != cacheable_.end();
    if (auto h = headers_.find(path); h != headers_.end()) headers = h->second;
  }
  // Pictures are served as pictures, everything else as a page.
  const std::string name = path.substr(0, path.find('?'));
  auto ends = [&name](const char* tail) {
    const std::string t = tail;
    return name.size() >= t.size() && name.compare(name.size() - t.size(), t.size(), t) == 0;
  };
  const std::string type = ends(".jpg")   ? "image/jpeg"
                           : ends(".png") ? "image/png"
                                          : "text/html; charset=utf-8";
  const std::string status = !moved.empty() ? "HTTP/1.1 302 Found\r\nLocation: " + Url(moved)
                             : found        ? "HTTP/1.1 200 OK"
                                            : "HTTP/1.1 404 Not Found";
  std::string reply =
      status + "\r\n" + (headers.empty() ? "Content-Type: " + type + "\r\n" : headers) +
      (keep ? "Cache-Control: max-age=3600" : "Cache-Control: no-store") +
      "\r\nConnection: close\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
  for (size_t sent = 0; sent < reply.size();) {
    ssize_t n = write(client, reply.data() + sent, reply.size() - sent);
    if (n <= 0) return;
    sent += static_cast<size_t>(n);
  }
}

}  // namespace tv::test
