// A headless screen for window manager tests, a window class whose procedure records every
// message and lets a test answer chosen messages itself.
#pragma once

#include "framework/platform/backends/headless/HeadlessBackend.h"
#include "framework/platform/window/Input.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/platform/window/Paint.h"
#include "framework/platform/window/Window.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

namespace dw::test {

struct TLogged {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

class WmTest : public ::testing::Test {
public:
    using THandler = std::function<LRESULT(HWND, WPARAM, LPARAM)>;

protected:
    static constexpr const char* TestClass = "DwTestWindow";
    static constexpr const char* DblClass = "DwTestDblClk";

    void SetUp() override {
        auto backend = std::make_unique<THeadlessBackend>();
        Screen = backend.get();
        SetBackend(std::move(backend));
        Current() = this;
        RegisterTestClass(TestClass, 0);
        RegisterTestClass(DblClass, CS_DBLCLKS);
    }

    void TearDown() override {
        SetBackend(std::make_unique<THeadlessBackend>());
        UnregisterClass(TestClass);
        UnregisterClass(DblClass);
        Current() = nullptr;
    }

    static WmTest*& Current() {
        static WmTest* current = nullptr;
        return current;
    }

    static LRESULT LoggingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        WmTest* t = Current();
        if (!t) return DefWindowProc(hwnd, msg, wParam, lParam);
        t->Log.push_back({hwnd, msg, wParam, lParam});
        auto it = t->Handlers.find({hwnd, msg});
        if (it == t->Handlers.end()) it = t->Handlers.find({nullptr, msg});
        if (it != t->Handlers.end()) {
            THandler h = it->second;
            return h(hwnd, wParam, lParam);
        }
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }

    void RegisterTestClass(const char* name, UINT style, HBRUSH background = nullptr) {
        UnregisterClass(name);
        WNDCLASS wc;
        wc.style = style;
        wc.lpfnWndProc = LoggingProc;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = background;
        wc.lpszClassName = name;
        ASSERT_NE(RegisterClass(wc), 0);
    }

    HWND Top(TRect r, DWORD style = WS_OVERLAPPED | WS_VISIBLE, DWORD exStyle = 0, const char* cls = TestClass,
             HWND owner = nullptr) {
        return CreateWindowEx(exStyle, cls, "top", style, r.Left, r.Top, r.Width(), r.Height(), owner, 0);
    }
    HWND Popup(TRect r, DWORD exStyle = 0, DWORD style = 0, HWND owner = nullptr) {
        return Top(r, WS_POPUP | WS_VISIBLE | style, exStyle, TestClass, owner);
    }
    HWND Child(HWND parent, TRect r, DWORD style = 0, DWORD exStyle = 0, const char* cls = TestClass, LONG_PTR id = 0) {
        return CreateWindowEx(exStyle, cls, "child", WS_CHILD | WS_VISIBLE | style, r.Left, r.Top, r.Width(),
                              r.Height(), parent, id);
    }

    void On(HWND hwnd, UINT msg, THandler h) { Handlers[{hwnd, msg}] = std::move(h); }
    void On(UINT msg, THandler h) { Handlers[{nullptr, msg}] = std::move(h); }

    // The messages a window received, in order, keeping only those in `interesting` (all if empty).
    std::vector<UINT> Messages(HWND hwnd, const std::vector<UINT>& interesting = {}) const {
        std::vector<UINT> out;
        for (const auto& e : Log) {
            if (hwnd && e.hwnd != hwnd) continue;
            if (!interesting.empty() && std::find(interesting.begin(), interesting.end(), e.msg) == interesting.end())
                continue;
            out.push_back(e.msg);
        }
        return out;
    }
    std::vector<TLogged> Entries(HWND hwnd, UINT msg) const {
        std::vector<TLogged> out;
        for (const auto& e : Log)
            if ((!hwnd || e.hwnd == hwnd) && e.msg == msg) out.push_back(e);
        return out;
    }
    int Count(HWND hwnd, UINT msg) const { return static_cast<int>(Entries(hwnd, msg).size()); }

    void Pump() { PumpMessages(); }

    THeadlessBackend* Screen = nullptr;
    std::vector<TLogged> Log;
    std::map<std::pair<HWND, UINT>, THandler> Handlers;
};

// Mouse messages a test usually watches.
inline const std::vector<UINT> MouseMessages = {
    WM_SETCURSOR, WM_MOUSEACTIVATE, WM_MOUSEMOVE,   WM_LBUTTONDOWN, WM_LBUTTONUP,      WM_LBUTTONDBLCLK, WM_RBUTTONDOWN,
    WM_RBUTTONUP, WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_NCMOUSEMOVE, WM_CAPTURECHANGED, WM_CANCELMODE};

} // namespace dw::test
