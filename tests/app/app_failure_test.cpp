// Start-up when things fail: no memory for the Globe, no window.

#include "app/main_window.h"
#include "app/resource.h"
#include "tests/app/app_harness.h"
#include "tests/resources/res_builder.h"
#include "winapi/resources/module_resources.h"
#include "winapi/resources/string_table.h"

#include <cstdlib>
#include <new>

using namespace app_test;
using winapi::testing::ActiveModalDialog;
using winapi::testing::ClickDialogButton;
using winapi::testing::DialogControls;
using winapi::testing::TopLevelWindows;

namespace {

// While set, allocations of at least a Globe's size made with
// new (std::nothrow) fail, as they would without enough memory.
bool g_refuseGlobes = false;

}

void* operator new(std::size_t size, std::nothrow_t const&) noexcept
{
    if (g_refuseGlobes && size >= sizeof(Globe))
        return nullptr;
    try {
        return ::operator new(size);
    } catch (...) {
        return nullptr;
    }
}

TEST_F(AppTest, WithoutMemoryForTheGlobeItSaysSoAndExitsWithZero)
{
    g_refuseGlobes = true;
    std::string message;
    std::size_t windowsWithBox = 0;
    auto const run = RunWinMain(WinMain, {
        Do([&] {
            HWND box = ActiveModalDialog();
            ASSERT_NE(box, nullptr);
            for (auto const& control : DialogControls(box))
                message += control.text + "|";
            windowsWithBox = TopLevelWindows().size();
            ClickDialogButton(box, IDOK);
        }),
    });
    g_refuseGlobes = false;
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(message.find("memory"), std::string::npos) << message;
    // Only the message box: no main window was made, nothing was dissected.
    EXPECT_EQ(windowsWithBox, 1u);
    EXPECT_EQ(g_globe, nullptr);
    EXPECT_EQ(g_dissectCount, 0);
    EXPECT_TRUE(WindowLog().empty());
}

TEST_F(AppTest, WithoutAWindowTheProgramEndsWithZeroBeforeItsLoop)
{
    // The program's resources without the class name: the class cannot be
    // registered, so the window cannot be created.
    auto const* file = winapi::resources::ModuleResources(nullptr);
    ASSERT_NE(file, nullptr);
    ResBuilder builder;
    for (auto const& entry : file->Entries()) {
        std::vector<std::uint8_t> data(entry.data.begin(), entry.data.end());
        if (entry.type == winapi::resources::TypeId(winapi::resources::ResourceType::String)
            && entry.name == winapi::resources::ResourceId::Number(RES_MAIN / 16 + 1)) {
            Bytes block;
            for (std::uint32_t id = 96; id < 112; ++id) {
                auto const text = id == RES_MAIN ? std::u16string() : *winapi::resources::FindString(*file, id);
                block.U16(static_cast<std::uint16_t>(text.size()));
                for (char16_t unit : text)
                    block.U16(unit);
            }
            data = block.Data();
        }
        builder.Add(*entry.type.number, *entry.name.number, entry.language, data);
    }
    std::vector<std::uint8_t> const withoutClassName = builder.Data();
    ASSERT_TRUE(winapi::resources::SetModuleResources(withoutClassName));

    auto const run = RunWinMain(WinMain, {});
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_STREQ(g_windowTitle, "Morva");
    EXPECT_STREQ(g_windowClassName, "");
    // The Globe was made and dissected once, the loop never ran, the timer
    // never started.
    ASSERT_NE(g_globe, nullptr);
    EXPECT_EQ(g_dissectCount, 1);
    EXPECT_FALSE(g_autoDissect);
    EXPECT_FALSE(g_autoDraw);
    EXPECT_TRUE(WindowLog().empty());
    EXPECT_TRUE(TopLevelWindows().empty());
}
