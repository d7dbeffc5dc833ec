// While a request waits, the calling thread's windows keep receiving their
// messages: timers tick, a WM_QUIT survives, and a handler may even start a
// request of its own.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "http_request.h"
#include "test_servers.h"

namespace orvanta {
namespace {

using test::HttpUrl;

// A window on the calling thread whose timer runs `onTick`. Message-only, so
// that the tests need no display.
class TickingWindow {
 public:
  explicit TickingWindow(std::function<void()> onTick) : onTick_(std::move(onTick)) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &TickingWindow::Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"OrvantaTickingWindow";
    RegisterClassW(&windowClass);  // fails harmlessly when already registered
    // Under Wine the first window of a fresh session can fail while Wine's
    // own desktop process is still starting: try a few times.
    for (int attempt = 0; attempt < 5 && window_ == nullptr; ++attempt) {
      if (attempt > 0) Sleep(200);
      window_ = CreateWindowExW(0, windowClass.lpszClassName, L"ticks", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                windowClass.hInstance, this);
      if (window_ == nullptr) error_ = GetLastError();
    }
    if (window_ != nullptr) SetTimer(window_, 1, 20, nullptr);
  }
  ~TickingWindow() {
    if (window_ != nullptr) {
      KillTimer(window_, 1);
      DestroyWindow(window_);
    }
  }
  TickingWindow(const TickingWindow&) = delete;
  TickingWindow& operator=(const TickingWindow&) = delete;

  bool created() const { return window_ != nullptr; }
  DWORD error() const { return error_; }
  int ticks() const { return ticks_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* self = static_cast<TickingWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TickingWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_TIMER && self != nullptr) {
      ++self->ticks_;
      self->onTick_();
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  std::function<void()> onTick_;
  HWND window_ = nullptr;
  DWORD error_ = 0;
  int ticks_ = 0;
};

TEST(HttpRequestMessages, TimersTickWhileARequestWaits) {
  TickingWindow window([] {});
  ASSERT_TRUE(window.created()) << "CreateWindowExW failed: " << window.error();
  EXPECT_EQ(HttpRequest(HttpUrl("/slow/1500")), "slow reply");
  // A 20 ms timer over a 1.5 s wait ticks about 75 times; a blocked thread
  // would see none until the request returned.
  EXPECT_GE(window.ticks(), 5);
}

TEST(HttpRequestMessages, AQuitMessageDuringARequestIsPostedAgain) {
  bool posted = false;
  TickingWindow window([&posted] {
    if (!posted) PostQuitMessage(7);
    posted = true;
  });
  ASSERT_TRUE(window.created()) << "CreateWindowExW failed: " << window.error();
  EXPECT_EQ(HttpRequest(HttpUrl("/slow/500")), "slow reply");
  ASSERT_TRUE(posted);
  MSG message;
  bool quitSeen = false;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quitSeen = true;
      EXPECT_EQ(message.wParam, 7u);
    }
  }
  EXPECT_TRUE(quitSeen);
}

TEST(HttpRequestMessages, AHandlerMayStartARequestOfItsOwn) {
  std::string inner;
  bool started = false;
  TickingWindow window([&] {
    if (started) return;
    started = true;
    inner = HttpRequest(HttpUrl("/cookies"));
  });
  ASSERT_TRUE(window.created()) << "CreateWindowExW failed: " << window.error();
  EXPECT_EQ(HttpRequest(HttpUrl("/slow/800")), "slow reply");
  EXPECT_EQ(inner, "cookies set");
}

}  // namespace
}  // namespace orvanta
