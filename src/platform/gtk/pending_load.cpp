// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gtk/pending_load.h"

#include <utility>

namespace tv {

void PendingLoad::Requested(std::string uri, int64_t now_ms) {
  pending_ = true;
  started_ = cancelled_ = failed_ = false;
  uri_ = std::move(uri);
  since_ms_ = now_ms;
}

void PendingLoad::Started() {
  started_ = true;
}

void PendingLoad::Failed(bool cancelled) {
  if (cancelled) {
    cancelled_ = true;
  } else if (started_) {
    failed_ = true;
  }
}

void PendingLoad::Finished(const std::string& uri) {
  const bool cancelled = cancelled_, failed = failed_;
  cancelled_ = failed_ = false;
  // A superseded load ends as cancelled; one that started before the request ends before
  // any load started after it.
  if (!pending_ || cancelled || !started_) return;
  // A queued earlier load of another address may start and finish after the request.
  if (!failed && !uri_.empty() && uri != uri_) return;
  pending_ = false;
}

void PendingLoad::Dropped() {
  pending_ = false;
}

bool PendingLoad::Pending(int64_t now_ms, int64_t limit_ms) const {
  return pending_ && now_ms - since_ms_ < limit_ms;
}

}  // namespace tv
