// The program's one message queue: posted messages, input, paint and timer messages in the classic
// order of priority; the message loop functions; timers; and the idle hook.
#pragma once

#include "framework/platform/window/Messages.h"

#include <cstdint>
#include <functional>

namespace dw {

using UINT_PTR = std::uintptr_t;
using TIMERPROC = std::function<void(HWND, UINT, UINT_PTR, DWORD)>;

// Posts to the queue. A null hwnd posts a message for the loop itself (hwnd of the TMsg null).
// False for an invalid window.
bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
void PostQuitMessage(int exitCode);

constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;
constexpr UINT PM_NOYIELD = 0x0002;

// Retrieves the next message: posted messages first, then input, then WM_PAINT for a window with
// a pending update (parents before children), then due timers. hwnd limits the search to that
// window and its descendants (null: all); a message range of 0..0 means all messages.
bool PeekMessage(TMsg& msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
// Like PeekMessage with PM_REMOVE but waits for a message; false when it is WM_QUIT. While the
// queue is empty the idle hook runs once before waiting. Throws EInvalidOperation when no message
// can ever arrive (a headless screen with an empty queue and no timer).
bool GetMessage(TMsg& msg, HWND hwnd, UINT filterMin, UINT filterMax);
// Waits until a message is available (the idle hook runs first when the queue is empty).
void WaitMessage();
// Posts WM_CHAR (WM_SYSCHAR with Alt) for a WM_KEYDOWN (WM_SYSKEYDOWN) that makes a character;
// true when it did.
bool TranslateMessage(const TMsg& msg);
LRESULT DispatchMessage(const TMsg& msg);
// Dispatches everything the queue holds right now, including paint and due timers; returns the
// number of messages dispatched. Stops early at WM_QUIT, which it leaves in the queue.
int PumpMessages();

// A hook run when the queue runs empty: the application object uses it for idle processing.
void SetIdleHandler(std::function<void()> handler);

// A WM_TIMER every `elapse` ms (at least 1). With a window the id is the caller's and a second
// SetTimer with the same window and id replaces the first; without a window a new id is returned.
// With a callback, DispatchMessage calls it instead of the window procedure.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC callback = nullptr);
bool KillTimer(HWND hwnd, UINT_PTR id);

// Milliseconds on the backend clock (headless: only test code advances it).
DWORD GetTickCount();
DWORD GetMessageTime();
TPoint GetMessagePos();

} // namespace dw
