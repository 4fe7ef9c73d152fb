#pragma once

namespace kv {

// Modal dialogs stop the world: while one is open, timer handlers return at once
// (controls/timer_ticks.h). Counts the modal dialogs and message boxes open now. Every real modal
// call holds one for as long as its dialog is open.
class ModalGuard
{
  public:
    ModalGuard();
    ~ModalGuard();
    ModalGuard(const ModalGuard&) = delete;
    ModalGuard& operator=(const ModalGuard&) = delete;

    static int depth();
    static bool open() { return depth() > 0; }
};

} // namespace kv
