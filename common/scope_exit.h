// Runs a callable when the scope ends, unless dismissed.
#pragma once

#include <utility>

namespace orvanta {

template <typename F>
class ScopeExit {
 public:
  explicit ScopeExit(F f) : f_(std::move(f)) {}
  ~ScopeExit() {
    if (armed_) f_();
  }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;
  void Dismiss() { armed_ = false; }

 private:
  F f_;
  bool armed_ = true;
};

}  // namespace orvanta
