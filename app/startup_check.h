#pragma once
// The hidden "--startup-check", for testing an installed program: it starts as
// usual, answers every message box with its default button (printing it),
// and once the main window has been painted prints where it found its program
// folder (and whether that is a system location), help, sounds and data files,
// then ends: status 0 when all of them were found, 1 otherwise. Normal starts
// never create one.

#include <functional>
#include <memory>

class QWidget;

namespace dovanel {

class ScopedPlatform;

// Calls `then` once, as soon as `window`'s first paint is done.
void AfterFirstPaint(QWidget& window, std::function<void()> then);

class StartupCheck {
  public:
    StartupCheck();
    ~StartupCheck();
    StartupCheck(const StartupCheck&) = delete;
    StartupCheck& operator=(const StartupCheck&) = delete;

    // Reports and ends the program right after `window`'s first paint.
    void EndAfterFirstPaint(QWidget& window);

  private:
    class AnsweringPlatform;
    std::unique_ptr<AnsweringPlatform> platform_;
    std::unique_ptr<ScopedPlatform> scope_;
};

}  // namespace dovanel
