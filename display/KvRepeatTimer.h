#pragma once

#include <QTimer>

#include <functional>

// The timer of a held button: it runs the action at the end of every interval until stopped.
// Fire runs it at once, as the end of an interval would, so its users can be driven step by step.
class TKvRepeatTimer {
public:
  explicit TKvRepeatTimer(std::function<void()> action) : Action(std::move(action)) {
    QObject::connect(&Timer, &QTimer::timeout, [this] { Fire(); });
  }

  void Start(int milliseconds) { Timer.start(milliseconds); }
  void SetInterval(int milliseconds) { Timer.setInterval(milliseconds); }
  void Stop() { Timer.stop(); }
  bool Active() const { return Timer.isActive(); }
  int Interval() const { return Timer.interval(); }
  void Fire() { Action(); }

private:
  std::function<void()> Action;
  QTimer Timer;
};
