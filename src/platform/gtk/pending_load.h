// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the load a view was last asked for is still to come. The engine also reports
// loads asked for earlier: a queued one may start and finish after a newer request, and a
// superseded one ends as cancelled or without a word. Standard C++ only.
#pragma once

#include <cstdint>
#include <string>

namespace tv {

class PendingLoad {
 public:
  // The engine was asked to load `uri`; "" when the address it ends at is not known in
  // advance (a web address may redirect, history moves to an earlier entry).
  void Requested(std::string uri, int64_t now_ms);
  void Started();
  void Failed(bool cancelled);
  // A load finished; `uri` is the view's address at that moment.
  void Finished(const std::string& uri);
  // The request was refused before it loaded, or loading was stopped.
  void Dropped();
  // A request that never reports a load (a jump inside the same page) stops counting
  // after `limit_ms`.
  bool Pending(int64_t now_ms, int64_t limit_ms = 5000) const;

 private:
  bool pending_ = false;
  bool started_ = false;    // a load started since the request
  bool cancelled_ = false;  // the load about to finish was cancelled
  bool failed_ = false;     // the load about to finish failed; its address may differ
  std::string uri_;         // what was asked for, "" for any
  int64_t since_ms_ = 0;    // when it was asked for
};

}  // namespace tv
