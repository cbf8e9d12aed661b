// SPDX-License-Identifier: GPL-3.0-or-later
// A small HTTP server of a test's own on 127.0.0.1 and a free port: it serves fixed
// pages and logs every request, and stops with the test.
#pragma once

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tv::test {

class LoopbackServer {
 public:
  LoopbackServer();
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  // Serves `body` at `path` ("/a.htm"): as a picture for ".jpg" and ".png", else as text/html.
  void Page(const std::string& path, const std::string& body);
  // "http://127.0.0.1:PORT" + path.
  std::string Url(const std::string& path) const;
  // Paths asked for so far, in order.
  std::vector<std::string> Requests();
  int Port() const { return port_; }

 private:
  void Serve();
  void Answer(int client);

  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::map<std::string, std::string> pages_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

}  // namespace tv::test
