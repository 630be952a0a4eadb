// Modal dialogs from templates and message boxes: layout, the modal loop,
// the keys and buttons that end them, and what the owner goes through.

#include "test_resources.h"
#include "user_test_support.h"

#include "winapi/resources/module_resources.h"

using namespace user_test;
namespace wt = winapi::testing;

namespace {

struct DialogMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

std::vector<DialogMessage> g_dialogMessages;
HWND g_owner = nullptr;
WORD g_template = AboutDialogId;
INT_PTR g_result = 0;

// Like the program's About box: OK and Cancel end it with their identifier.
INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_dialogMessages.push_back({ message, wParam, lParam });
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

// Ends with ten times the identifier of any button.
INT_PTR CALLBACK ButtonsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_dialogMessages.push_back({ message, wParam, lParam });
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND) {
        EndDialog(dialog, LOWORD(wParam) * 10);
        return TRUE;
    }
    return FALSE;
}

DLGPROC g_procedure = AboutProc;

// A program whose window, with a running timer, opens a dialog and ends with
// the dialog's result.
int WINAPI DialogProgram(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    g_owner = CreateShownWindow(300, 200);
    SetTimer(g_owner, 1, 10, nullptr);
    g_result = DialogBoxParamA(instance, MAKEINTRESOURCE(g_template), g_owner, g_procedure, 77);
    return static_cast<int>(g_result);
}

class DialogTest : public UserTest {
protected:
    void SetUp() override
    {
        UserTest::SetUp();
        InstallTestResources();
        g_dialogMessages.clear();
        g_owner = nullptr;
        g_template = AboutDialogId;
        g_procedure = AboutProc;
        g_result = 0;
    }

    static wt::Step DialogIsShown()
    {
        return wt::WaitUntil([] { return wt::ActiveModalDialog() && IsWindowVisible(wt::ActiveModalDialog()); });
    }

    static wt::Step Press(int key, unsigned modifiers = wt::NoModifier)
    {
        return wt::Do([=] { EXPECT_TRUE(wt::PressKey(wt::ActiveModalDialog(), key, modifiers)); });
    }

    // The program ends as soon as its dialog does.
    static wt::RunResult Run(std::vector<wt::Step> steps)
    {
        return wt::RunWinMain(DialogProgram, std::move(steps), 5000);
    }
};

RECT Rect(int left, int top, int width, int height)
{
    return RECT { left, top, left + width, top + height };
}

void ExpectRect(RECT const& actual, RECT const& expected)
{
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.bottom, expected.bottom);
}

TEST_F(DialogTest, TheTemplateIsLaidOutInDialogUnitsOfTwoPixels)
{
    std::vector<wt::ControlInfo> controls;
    SIZE clientSize {};
    char caption[32] = {};
    auto const run = Run({ DialogIsShown(), wt::Do([&] {
                              HWND const dialog = wt::ActiveModalDialog();
                              controls = wt::DialogControls(dialog);
                              clientSize = wt::DialogClientSize(dialog);
                              GetWindowTextA(dialog, caption, sizeof(caption));
                          }),
        Press(VK_RETURN) });
    EXPECT_TRUE(run.finished);
    EXPECT_STREQ(caption, "About");
    EXPECT_EQ(clientSize.cx, 460);
    EXPECT_EQ(clientSize.cy, 150);
    ASSERT_EQ(controls.size(), 4u);

    EXPECT_EQ(controls[0].className, "Static");
    EXPECT_EQ(controls[0].id, 2);
    ExpectRect(controls[0].rect, Rect(28, 18, 32, 32));
    EXPECT_EQ(controls[0].imageWidth, 32);
    EXPECT_EQ(controls[0].imageHeight, 32);

    EXPECT_EQ(controls[1].text, "Morva Version 1.0");
    ExpectRect(controls[1].rect, Rect(98, 20, 238, 16));
    EXPECT_EQ(controls[2].text, "Second && line");
    ExpectRect(controls[2].rect, Rect(98, 40, 238, 16));

    EXPECT_EQ(controls[3].className, "Button");
    EXPECT_EQ(controls[3].id, IDOK);
    EXPECT_EQ(controls[3].text, "OK");
    ExpectRect(controls[3].rect, Rect(390, 12, 60, 22));
    EXPECT_TRUE(controls[3].isDefault);
    EXPECT_TRUE(controls[3].focused);
    for (auto const& control : controls)
        EXPECT_TRUE(control.visible);
}

TEST_F(DialogTest, InitDialogComesFirstWithTheFocusControlAndTheParameter)
{
    HWND okButton = nullptr;
    auto const run = Run({ DialogIsShown(), wt::Do([&] { okButton = GetDlgItem(wt::ActiveModalDialog(), IDOK); }),
        Press(VK_RETURN) });
    EXPECT_TRUE(run.finished);
    ASSERT_FALSE(g_dialogMessages.empty());
    EXPECT_EQ(g_dialogMessages.front().message, static_cast<UINT>(WM_INITDIALOG));
    EXPECT_EQ(g_dialogMessages.front().wParam, reinterpret_cast<WPARAM>(okButton));
    EXPECT_EQ(g_dialogMessages.front().lParam, 77);
}

TEST_F(DialogTest, EnterEscapeTheCloseBoxAndTheButtonEndIt)
{
    EXPECT_EQ(Run({ DialogIsShown(), Press(VK_RETURN) }).exitCode, IDOK);
    EXPECT_EQ(Run({ DialogIsShown(), Press(VK_ESCAPE) }).exitCode, IDCANCEL);
    EXPECT_EQ(Run({ DialogIsShown(), wt::Do([] { EXPECT_TRUE(wt::ClickCloseBox(wt::ActiveModalDialog())); }) }).exitCode,
        IDCANCEL);
    EXPECT_EQ(Run({ DialogIsShown(), wt::Do([] { EXPECT_TRUE(wt::ClickDialogButton(wt::ActiveModalDialog(), IDOK)); }) })
                  .exitCode,
        IDOK);
    EXPECT_EQ(Run({ DialogIsShown(), Press(VK_SPACE) }).exitCode, IDOK); // Space presses the focused button
}

TEST_F(DialogTest, EnterSendsTheDefaultButtonsCommandAndEscapeSendsCancel)
{
    EXPECT_TRUE(Run({ DialogIsShown(), Press(VK_RETURN) }).finished);
    std::vector<WPARAM> commands;
    for (auto const& message : g_dialogMessages) {
        if (message.message == WM_COMMAND)
            commands.push_back(message.wParam);
    }
    EXPECT_EQ(commands, std::vector<WPARAM> { MAKEWPARAM(IDOK, BN_CLICKED) });

    g_dialogMessages.clear();
    Run({ DialogIsShown(), Press(VK_ESCAPE) });
    commands.clear();
    for (auto const& message : g_dialogMessages) {
        if (message.message == WM_COMMAND)
            commands.push_back(message.wParam);
    }
    EXPECT_EQ(commands, std::vector<WPARAM> { IDCANCEL });
}

TEST_F(DialogTest, TheOwnerIsDisabledButItsTimerAndPaintsGoOn)
{
    g_handler = [](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_TIMER) {
            InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        }
        return std::nullopt;
    };
    bool ownerEnabledDuring = true;
    bool keysRefused = false;
    std::size_t timersBefore = 0;
    auto const run = Run({ DialogIsShown(), wt::Do([&] {
                              ownerEnabledDuring = IsWindowEnabled(g_owner) != FALSE;
                              keysRefused = !wt::PressKey(g_owner, 'R', wt::Control);
                              timersBefore = Count(WM_TIMER);
                          }),
        wt::WaitUntil([&] { return Count(WM_TIMER) >= timersBefore + 5; }), Press(VK_ESCAPE) });
    EXPECT_TRUE(run.finished);
    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_TRUE(keysRefused);
    std::size_t paintsAfterOpening = 0;
    std::size_t timers = 0;
    for (auto const& logged : g_messages) {
        timers += logged.message == WM_TIMER ? 1 : 0;
        if (timers > timersBefore && logged.message == WM_PAINT)
            ++paintsAfterOpening;
    }
    EXPECT_GE(paintsAfterOpening, 4u);
    EXPECT_TRUE(IsWindowEnabled(g_owner));
    EXPECT_EQ(Count(WM_ENABLE), 2u);
}

// Ticks that each take three periods, as a long growth batch does, so a
// timer message is due all the while; the third opens the dialog, as a key
// arriving between two batches would.
std::size_t g_ticks = 0;
std::size_t g_ticksWhenShown = 0;
HINSTANCE g_instance = nullptr;

int WINAPI SlowTimerProgram(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    g_instance = instance;
    g_owner = CreateShownWindow(300, 200);
    SetTimer(g_owner, 1, 10, nullptr);
    MSG msg {};
    while (GetMessageA(&msg, nullptr, 0, 0))
        DispatchMessageA(&msg);
    return static_cast<int>(msg.wParam);
}

TEST_F(DialogTest, ItAppearsWithinOneTimerMessageWhenEveryTickOutlastsThePeriod)
{
    g_ticks = 0;
    g_ticksWhenShown = 0;
    g_handler = [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message != WM_TIMER)
            return std::nullopt;
        ++g_ticks;
        HWND const dialog = wt::ActiveModalDialog();
        if (dialog && IsWindowVisible(dialog) && g_ticksWhenShown == 0)
            g_ticksWhenShown = g_ticks;
        if (g_ticks <= 40)
            wt::AdvanceClock(30);
        if (g_ticks == 3) {
            g_result = DialogBoxParamA(g_instance, MAKEINTRESOURCE(AboutDialogId), g_owner, AboutProc, 0);
            PostQuitMessage(0);
        }
        return 0;
    };
    auto const run = wt::RunWinMain(SlowTimerProgram, { DialogIsShown(), Press(VK_ESCAPE) }, 5000);
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(g_result, IDCANCEL);
    ASSERT_NE(g_ticksWhenShown, 0u);
    EXPECT_LE(g_ticksWhenShown, 4u);
}

TEST_F(DialogTest, KeysInTheDialogNeverReachTheOwner)
{
    auto const run = Run({ DialogIsShown(), Press('R', wt::Control), Press(VK_OEM_2, wt::Alt), Press(VK_ESCAPE) });
    EXPECT_TRUE(run.finished);
    for (auto const& logged : g_messages) {
        EXPECT_NE(logged.message, static_cast<UINT>(WM_COMMAND));
        EXPECT_NE(logged.message, static_cast<UINT>(WM_KEYDOWN));
        EXPECT_NE(logged.message, static_cast<UINT>(WM_SYSKEYDOWN));
    }
}

TEST_F(DialogTest, WithoutADefaultButtonEnterPressesTheFocusedOneAndTabMoves)
{
    g_template = NoDefaultDialogId;
    g_procedure = ButtonsProc;
    EXPECT_EQ(Run({ DialogIsShown(), Press(VK_RETURN) }).exitCode, 110);
    EXPECT_EQ(Run({ DialogIsShown(), Press(VK_TAB), Press(VK_RETURN) }).exitCode, 120);
    EXPECT_EQ(Run({ DialogIsShown(), Press(VK_TAB), Press(VK_TAB, wt::Shift), Press(VK_SPACE) }).exitCode, 110);
    EXPECT_EQ(Run({ DialogIsShown(), Press('S') }).exitCode, 120); // the mnemonic of "&Second"
}

TEST_F(DialogTest, AMissingTemplateFailsAndLeavesTheOwnerEnabled)
{
    g_template = 999;
    auto const run = wt::RunWinMain(DialogProgram, {});
    EXPECT_EQ(run.exitCode, -1);
    EXPECT_TRUE(IsWindowEnabled(g_owner));
}

TEST_F(DialogTest, QuitWhileTheDialogRunsEndsItAndReachesTheOuterLoop)
{
    auto const run = wt::RunWinMain(DialogProgram, { DialogIsShown(), wt::Do([] { PostQuitMessage(9); }) });
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0); // no EndDialog
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 9u);
}

TEST_F(DialogTest, DestroyingTheOwnerTakesTheDialogWithIt)
{
    auto const run = wt::RunWinMain(DialogProgram, { DialogIsShown(), wt::Do([] { DestroyWindow(g_owner); }) });
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_FALSE(IsWindow(g_owner));
}

// ---- Message boxes ---------------------------------------------------------

UINT g_boxType = MB_OK;
char const* g_boxCaption = "Caption";

int WINAPI MessageBoxProgram(HINSTANCE, HINSTANCE, LPSTR, int)
{
    g_owner = CreateShownWindow(300, 200);
    return MessageBoxA(g_owner, "There is not enough memory.", g_boxCaption, g_boxType);
}

class MessageBoxTest : public DialogTest {
protected:
    static wt::RunResult RunBox(UINT type, std::vector<wt::Step> steps)
    {
        g_boxType = type;
        return wt::RunWinMain(MessageBoxProgram, std::move(steps), 5000);
    }
};

TEST_F(MessageBoxTest, OkBoxesEndWithOkOnEnterAndEscape)
{
    EXPECT_EQ(RunBox(MB_OK | MB_ICONERROR, { DialogIsShown(), Press(VK_RETURN) }).exitCode, IDOK);
    EXPECT_EQ(RunBox(MB_OK, { DialogIsShown(), Press(VK_ESCAPE) }).exitCode, IDOK);
    EXPECT_EQ(RunBox(MB_OKCANCEL, { DialogIsShown(), Press(VK_ESCAPE) }).exitCode, IDCANCEL);
}

TEST_F(MessageBoxTest, YesNoBoxesIgnoreEscapeAndTakeTheirButtons)
{
    auto const run = RunBox(MB_YESNO | MB_DEFBUTTON2,
        { DialogIsShown(), Press(VK_ESCAPE), wt::Do([] { EXPECT_NE(wt::ActiveModalDialog(), nullptr); }),
            Press(VK_RETURN) });
    EXPECT_EQ(run.exitCode, IDNO); // the second button is the default
    EXPECT_EQ(RunBox(MB_YESNO, { DialogIsShown(), Press('Y') }).exitCode, IDYES);
}

TEST_F(MessageBoxTest, TheBoxShowsItsTextAndCaptionAndDisablesTheOwner)
{
    std::string text;
    char caption[32] = {};
    bool ownerEnabled = true;
    g_boxCaption = nullptr;
    RunBox(MB_OK | MB_ICONERROR, { DialogIsShown(), wt::Do([&] {
                                     HWND const box = wt::ActiveModalDialog();
                                     for (auto const& control : wt::DialogControls(box)) {
                                         if (control.className == "Static" && !control.text.empty())
                                             text = control.text;
                                     }
                                     GetWindowTextA(box, caption, sizeof(caption));
                                     ownerEnabled = IsWindowEnabled(g_owner) != FALSE;
                                 }),
                                     Press(VK_RETURN) });
    g_boxCaption = "Caption";
    EXPECT_EQ(text, "There is not enough memory.");
    EXPECT_STREQ(caption, "Error");
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(g_owner));
}

// ---- Running a program -----------------------------------------------------

int WINAPI QuittingProgram(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CreateShownWindow();
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

TEST_F(DialogTest, RunWinMainRunsStepsAndReturnsTheExitCode)
{
    int steps = 0;
    auto const run = wt::RunWinMain(QuittingProgram, { wt::Do([&] { ++steps; }), wt::Do([&] { ++steps; PostQuitMessage(5); }) });
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.stepsDone, 2u);
    EXPECT_EQ(steps, 2);
    EXPECT_EQ(run.exitCode, 5);
}

TEST_F(DialogTest, RunWinMainEndsAProgramThatOutlivesItsSteps)
{
    g_handler = [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_DESTROY)
            PostQuitMessage(0);
        return std::nullopt;
    };
    auto const run = wt::RunWinMain(QuittingProgram, { wt::WaitUntil([] { return false; }) }, 50);
    EXPECT_FALSE(run.finished);
    EXPECT_EQ(run.stepsDone, 0u);
    EXPECT_TRUE(wt::TopLevelWindows().empty());
}

}
