// Window classes and the life of a window: registration, creation,
// showing, text, closing and destruction.

#include "user_test_support.h"

#include "winapi/gdi/surface.h"

#include <cstring>
#include <string>

using namespace user_test;
namespace wt = winapi::testing;

namespace {

class WindowTest : public UserTest { };

std::vector<UINT> Only(std::vector<UINT> const& messages, std::vector<UINT> const& wanted)
{
    std::vector<UINT> kept;
    for (UINT message : messages) {
        if (std::find(wanted.begin(), wanted.end(), message) != wanted.end())
            kept.push_back(message);
    }
    return kept;
}

HWND CreateTestWindow(LPCSTR className = TestClassName, LPVOID parameter = nullptr, HWND owner = nullptr)
{
    return CreateWindowExA(0, className, "Title", WS_OVERLAPPEDWINDOW, 0, 0, 120, 90, owner, nullptr, nullptr, parameter);
}

TEST_F(WindowTest, RegistrationChecksItsDescription)
{
    WNDCLASSEXA description {};
    description.cbSize = sizeof(description);
    description.lpfnWndProc = RecordingProc;
    description.lpszClassName = "First";
    ATOM const atom = RegisterClassExA(&description);
    EXPECT_GE(atom, 0xC000);
    EXPECT_EQ(RegisterClassExA(&description), 0);  // already there
    description.lpszClassName = "FIRST";
    EXPECT_EQ(RegisterClassExA(&description), 0);  // names ignore case
    description.lpszClassName = "Second";
    description.cbSize = sizeof(description) - 4;
    EXPECT_EQ(RegisterClassExA(&description), 0);
    description.cbSize = sizeof(description);
    description.lpszClassName = nullptr;
    EXPECT_EQ(RegisterClassExA(&description), 0);
    EXPECT_EQ(RegisterClassExA(nullptr), 0);

    EXPECT_NE(CreateTestWindow("first"), nullptr);
    EXPECT_NE(CreateTestWindow(MAKEINTRESOURCEA(atom)), nullptr);
    EXPECT_EQ(CreateTestWindow("Unknown"), nullptr);
    EXPECT_EQ(CreateTestWindow("#32770"), nullptr); // the dialog manager's own
}

TEST_F(WindowTest, CreationSendsItsMessagesInOrder)
{
    RegisterTestClass();
    int parameter = 0;
    LPVOID createParameter = nullptr;
    std::string createClass;
    g_handler = [&](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (message == WM_CREATE) {
            // The CREATESTRUCT lives only during the message.
            auto const* create = reinterpret_cast<CREATESTRUCTA const*>(lParam);
            createParameter = create->lpCreateParams;
            createClass = create->lpszClass;
        }
        return std::nullopt;
    };
    HWND const hwnd = CreateTestWindow(TestClassName, &parameter);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(Only(MessagesTo(hwnd), { WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, WM_PAINT }),
        (std::vector<UINT> { WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE }));
    EXPECT_EQ(createParameter, &parameter);
    EXPECT_EQ(createClass, TestClassName);
    for (auto const& logged : g_messages) {
        if (logged.message == WM_SIZE) {
            EXPECT_EQ(LOWORD(logged.lParam), 120);
            EXPECT_EQ(HIWORD(logged.lParam), 90);
        }
    }
    EXPECT_FALSE(IsWindowVisible(hwnd)); // until shown
}

TEST_F(WindowTest, AWindowThatRefusesCreationIsNotMade)
{
    RegisterTestClass();
    g_handler = [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_NCCREATE)
            return FALSE;
        return std::nullopt;
    };
    EXPECT_EQ(CreateTestWindow(), nullptr);

    g_handler = [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_CREATE)
            return -1;
        return std::nullopt;
    };
    g_messages.clear();
    EXPECT_EQ(CreateTestWindow(), nullptr);
    EXPECT_EQ(Count(WM_DESTROY), 1u);
    EXPECT_EQ(Count(WM_NCDESTROY), 1u);
    EXPECT_TRUE(wt::TopLevelWindows().empty());
}

TEST_F(WindowTest, DefaultSizeIsThreeQuartersOfTheDisplay)
{
    RegisterTestClass();
    winapi::SetDisplaySize(1920, 1080);
    HWND const hwnd = CreateWindowExA(0, TestClassName, "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0,
        nullptr, nullptr, nullptr, nullptr);
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 1440);
    EXPECT_EQ(client.bottom, 810);
}

TEST_F(WindowTest, DestructionSendsDestroyThenNcDestroyAndRetiresTheHandle)
{
    RegisterTestClass();
    HWND const hwnd = CreateTestWindow();
    g_messages.clear();
    EXPECT_TRUE(DestroyWindow(hwnd));
    EXPECT_EQ(MessagesTo(hwnd), (std::vector<UINT> { WM_DESTROY, WM_NCDESTROY }));
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(DestroyWindow(hwnd));
    EXPECT_FALSE(ShowWindow(hwnd, SW_SHOW));
    RECT rect;
    EXPECT_FALSE(GetClientRect(hwnd, &rect));

    HWND const next = CreateTestWindow(); // may reuse the slot, never the handle
    EXPECT_NE(next, hwnd);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_TRUE(IsWindow(next));
}

TEST_F(WindowTest, OwnedWindowsGoWithTheirOwner)
{
    RegisterTestClass();
    HWND const owner = CreateTestWindow();
    HWND const owned = CreateTestWindow(TestClassName, nullptr, owner);
    g_messages.clear();
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(owned));
    std::vector<HWND> destroyed;
    for (auto const& logged : g_messages) {
        if (logged.message == WM_DESTROY)
            destroyed.push_back(logged.hwnd);
    }
    EXPECT_EQ(destroyed, (std::vector<HWND> { owned, owner }));
}

TEST_F(WindowTest, TheCloseBoxClosesThroughSysCommandCloseAndDestroy)
{
    HWND const hwnd = CreateShownWindow();
    g_handler = [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_DESTROY) {
            PostQuitMessage(0);
            return 0;
        }
        return std::nullopt;
    };
    g_messages.clear();
    ASSERT_TRUE(wt::ClickCloseBox(hwnd));
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    EXPECT_EQ(msg.wParam, 0u);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(Only(MessagesTo(hwnd), { WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY }),
        (std::vector<UINT> { WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY }));
    EXPECT_EQ(g_messages.front().wParam & 0xFFF0, static_cast<WPARAM>(SC_CLOSE));
}

TEST_F(WindowTest, AProgramMayRefuseToClose)
{
    HWND const hwnd = CreateShownWindow();
    g_handler = [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_CLOSE)
            return 0;
        return std::nullopt;
    };
    ASSERT_TRUE(wt::ClickCloseBox(hwnd));
    wt::PumpUntilIdle();
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(Count(WM_CLOSE), 1u);
}

TEST_F(WindowTest, AltF4ClosesAWindowAndADisabledOneHasNoCloseBox)
{
    HWND const hwnd = CreateShownWindow();
    EnableWindow(hwnd, FALSE);
    EXPECT_FALSE(wt::ClickCloseBox(hwnd));
    EXPECT_FALSE(IsWindowEnabled(hwnd));
    EnableWindow(hwnd, TRUE);
    ASSERT_TRUE(wt::PressKey(hwnd, VK_F4, wt::Alt));
    wt::PumpUntilIdle();
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(WindowTest, EnableWindowReportsThePreviousStateAndSendsWmEnable)
{
    HWND const hwnd = CreateShownWindow();
    g_messages.clear();
    EXPECT_FALSE(EnableWindow(hwnd, FALSE)); // was enabled
    EXPECT_TRUE(EnableWindow(hwnd, FALSE));  // was disabled, no change
    EXPECT_TRUE(EnableWindow(hwnd, TRUE));
    EXPECT_EQ(MessagesTo(hwnd), (std::vector<UINT> { WM_ENABLE, WM_ENABLE }));
}

TEST_F(WindowTest, TextAndVisibility)
{
    RegisterTestClass();
    HWND const hwnd = CreateTestWindow();
    char text[64];
    EXPECT_EQ(GetWindowTextA(hwnd, text, sizeof(text)), 5);
    EXPECT_STREQ(text, "Title");
    EXPECT_TRUE(SetWindowTextA(hwnd, "Renamed window"));
    EXPECT_EQ(GetWindowTextA(hwnd, text, 8), 7); // cut to fit
    EXPECT_STREQ(text, "Renamed");

    EXPECT_FALSE(ShowWindow(hwnd, SW_SHOWDEFAULT));
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_TRUE(ShowWindow(hwnd, SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(hwnd));
    InvalidateRect(hwnd, nullptr, TRUE);
    g_messages.clear();
    wt::PumpUntilIdle();
    EXPECT_EQ(Count(WM_PAINT), 0u); // hidden windows are not painted
}

TEST_F(WindowTest, ClassesWithWindowsStayRegistered)
{
    RegisterTestClass();
    HWND const hwnd = CreateTestWindow();
    EXPECT_FALSE(UnregisterClassA(TestClassName, nullptr));
    DestroyWindow(hwnd);
    EXPECT_TRUE(UnregisterClassA(TestClassName, nullptr));
    EXPECT_EQ(CreateTestWindow(), nullptr);
}

TEST_F(WindowTest, StandardCursorsAndSystemColours)
{
    HCURSOR const arrow = LoadCursorA(nullptr, IDC_ARROW);
    EXPECT_NE(arrow, nullptr);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), arrow);
    EXPECT_NE(LoadCursorA(nullptr, IDC_WAIT), arrow);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(1)), nullptr);
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), RGB(0, 0, 0));
    EXPECT_EQ(GetSysColor(-1), 0u);
    EXPECT_EQ(GetSysColorBrush(COLOR_WINDOW), GetSysColorBrush(COLOR_WINDOW));
}

}
