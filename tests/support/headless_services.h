// Everything below the widgets, on the headless back end with a manual
// clock: what a test needs to drive screens, pop-ups and sprites.
#pragma once
#include <memory>

#include "platform/headless/headless_backend.h"
#include "platform/messages.h"
#include "platform/qv.h"
#include "platform/system.h"
#include "shell/services/key_queue.h"
#include "shell/services/message_pump.h"
#include "shell/services/mouse_cursor.h"
#include "shell/services/timers.h"

namespace testing_support {

struct HeadlessServices {
  platform::HeadlessBackend backend;
  platform::KeyboardSnapshot keyboard;
  platform::MessageQueue queue{keyboard};
  platform::Qv qv{backend, queue, keyboard};
  shell::MouseCursor mouse{qv};
  shell::Timers timers{backend.manualTimer(), mouse};
  shell::KeyQueue keys;
  shell::MessagePump pump{queue, qv, keys};

  // An open display of 800 x 600 with mouse and keyboard ready, the
  // timer running on the manual clock.
  HeadlessServices() {
    queue.setSource(&backend);
    std::string error;
    backend.openWindow({"Test"}, error);
    qv.InitDirectX(800, 600);
    qv.InitMouse();
    qv.InitKeyboard();
    qv.InitFont();
    qv.AcquireMouse(1);
    timers.StartTimer();
  }

  platform::Surface& backBuffer() {
    platform::Surface* front = nullptr;
    platform::Surface* back = nullptr;
    qv.GetDDInfo(&front, &back);
    return *back;
  }
  // Runs the clock on by ms (the timer polls the mouse every 10 ms).
  void advance(unsigned ms) { backend.manualTimer().advance(ms); }
  // Lets pending input reach the message queue, the key queue and the poll.
  void pumpAndPoll() {
    pump.RunOnce();
    advance(10);
  }
};

}  // namespace testing_support
