#pragma once

// Shared pieces of the USER tests: a fixture that starts every test from a
// clean USER on the virtual clock, and a window class whose procedure
// records every message and lets a test answer some of them.

#include "tests/user/support/user_testing.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <optional>
#include <vector>

namespace user_test {

struct LoggedMessage {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

inline std::vector<LoggedMessage> g_messages;

// Answers a message instead of DefWindowProcA when it returns a value.
using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;
inline Handler g_handler;

inline LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_messages.push_back({ hwnd, message, wParam, lParam });
    if (g_handler) {
        if (auto const result = g_handler(hwnd, message, wParam, lParam))
            return *result;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

inline constexpr char TestClassName[] = "UserTestWindow";

inline ATOM RegisterTestClass(UINT style = CS_HREDRAW | CS_VREDRAW, LPCSTR menuName = nullptr,
    char const* className = TestClassName)
{
    WNDCLASSEXA windowClass {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = style;
    windowClass.lpfnWndProc = RecordingProc;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszMenuName = menuName;
    windowClass.lpszClassName = className;
    return RegisterClassExA(&windowClass);
}

// A shown window of the test class with a client area of width x height
// (the class has no menu, so the frame is all client area), painted once.
inline HWND CreateShownWindow(int width = 200, int height = 100, UINT classStyle = CS_HREDRAW | CS_VREDRAW)
{
    RegisterTestClass(classStyle);
    HWND const hwnd = CreateWindowExA(0, TestClassName, "Test", WS_OVERLAPPEDWINDOW, 10, 10, width, height, nullptr,
        nullptr, nullptr, nullptr);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    return hwnd;
}

inline std::vector<UINT> MessagesTo(HWND hwnd, std::vector<LoggedMessage> const& log = g_messages)
{
    std::vector<UINT> messages;
    for (auto const& logged : log) {
        if (logged.hwnd == hwnd)
            messages.push_back(logged.message);
    }
    return messages;
}

inline std::size_t Count(UINT message, std::vector<LoggedMessage> const& log = g_messages)
{
    std::size_t count = 0;
    for (auto const& logged : log)
        count += logged.message == message ? 1 : 0;
    return count;
}

class UserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        winapi::testing::ResetUser();
        winapi::testing::UseVirtualClock();
        g_messages.clear();
        g_handler = nullptr;
    }

    void TearDown() override
    {
        g_handler = nullptr;
        winapi::testing::ResetUser();
        g_messages.clear();
    }
};

constexpr std::uint32_t White = 0xFFFFFF;

inline std::uint32_t Pixel(HWND hwnd, int x, int y)
{
    return winapi::testing::ClientSurface(hwnd).At(x, y);
}

}
