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
  // Serves `body` at `path` with the content type `type`, whatever the path's ending.
  void Typed(const std::string& path, const std::string& body, const std::string& type);
  // Answers `path` with a 302 to `to` (a path of this server).
  void Redirect(const std::string& path, const std::string& to);
  // Lets clients keep what `path` answers for an hour, as most sites let them keep pictures.
  void Cacheable(const std::string& path);
  // The Referer each request of `path` carried, in order ("" for none).
  std::vector<std::string> Referers(const std::string& path);
  // Serves `body` at `path` with these header lines ("Content-Type: ...\r\n..."), which
  // take the place of the content type above.
  void Raw(const std::string& path, const std::string& headers, const std::string& body);
  // "http://127.0.0.1:PORT" + path.
  std::string Url(const std::string& path) const;
  // Paths asked for so far, in order.
  std::vector<std::string> Requests();
  // How often `path` was asked for.
  int Count(const std::string& path);
  int Port() const { return port_; }

 private:
  void Serve();
  void Answer(int client);

  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::map<std::string, std::string> pages_;
  std::map<std::string, std::string> redirects_;
  std::vector<std::string> cacheable_;
  std::vector<std::pair<std::string, std::string>> referers_;  // path, Referer
  std::map<std::string, std::string> headers_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

}  // namespace tv::test
