#include "update/StartupSwitch.h"

#include "app/MainForm.h"
#include "fakes/FakePlatform.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using testing::FakePlatform;

const std::string RunValue = std::string(RunKeyPath) + "\\Vantrel";
const std::string BlankPath = "C:\\My Tools\\Vantrel.exe";

struct OursCase {
    std::string value;
    bool ours;
};

TEST(StartupSwitchTest, TheValueIsOursQuotedOrUnquoted) {
    const OursCase cases[] = {
        {BlankPath, true},
        {"\"" + BlankPath + "\"", true},
        {"\"" + BlankPath, false},
        {BlankPath + "\"", false},
        {"\"" + BlankPath + "\" /minimized", false},
        {"c:\\my tools\\vantrel.exe", false},
        {"C:\\My.exe", false},
        {"", false},
    };
    for (const OursCase& c : cases)
        EXPECT_EQ(IsOurRunValue(c.value, BlankPath), c.ours) << c.value;
    EXPECT_FALSE(IsOurRunValue("", ""));
    EXPECT_FALSE(IsOurRunValue("\"\"", ""));
}

TEST(StartupSwitchTest, CheckingWritesTheQuotedPathAndTheNextStartShowsIt) {
    // The second lies in a profile whose name no code page holds whole: it goes as UTF-8.
    for (const std::string& path :
         {BlankPath, std::string("C:\\Users\\\xD0\x9F\xD0\xBE \xCE\xA9 \xE6\x9D\xB1\\Vantrel.exe")}) {
        FakePlatform fake;
        fake.process.moduleFileName = path;
        {
            MainForm form(fake.platform);
            form.FormCreate();
            fake.log.calls.clear();
            form.MenuItemClick(form.PopupMenuSubRunAtSystemStartup());
            EXPECT_TRUE(form.PopupMenuSubRunAtSystemStartup().checked);
            EXPECT_EQ(fake.log.calls,
                      (std::vector<std::string>{"RegSetUserString " + std::string(RunKeyPath) +
                                                " value=Vantrel data=\"" + path + "\""}));
            // Windows starts exactly the quoted program, never "C:\My.exe".
            EXPECT_EQ(fake.registry.values[RunValue], "\"" + path + "\"" + std::string(1, '\0'));
        }
        MainForm restarted(fake.platform);
        restarted.FormCreate();
        EXPECT_TRUE(restarted.PopupMenuSubRunAtSystemStartup().checked) << path;
    }
}

TEST(StartupSwitchTest, UncheckingDeletesTheValue) {
    FakePlatform fake;
    fake.process.moduleFileName = BlankPath;
    fake.registry.values[RunValue] = BlankPath + std::string(1, '\0'); // an unquoted old value
    MainForm form(fake.platform);
    form.FormCreate();
    ASSERT_TRUE(form.PopupMenuSubRunAtSystemStartup().checked);
    fake.log.calls.clear();
    form.PopupMenuSubRunAtSystemStartupClick();
    EXPECT_FALSE(form.PopupMenuSubRunAtSystemStartup().checked);
    EXPECT_EQ(fake.log.calls,
              (std::vector<std::string>{"RegDeleteUserValue " + std::string(RunKeyPath) +
                                        " value=Vantrel"}));
    EXPECT_EQ(fake.registry.values.count(RunValue), 0u);
    // Unchecking again with no value there changes only the check mark.
    form.PopupMenuSubRunAtSystemStartupClick();
    form.PopupMenuSubRunAtSystemStartupClick();
    EXPECT_FALSE(form.PopupMenuSubRunAtSystemStartup().checked);
}

TEST(StartupSwitchTest, TheCheckMarkChangesEvenWhenTheKeyDoesNotOpen) {
    FakePlatform fake;
    fake.registryWrite.keyOpens = false;
    MainForm form(fake.platform);
    form.PopupMenuSubRunAtSystemStartupClick();
    EXPECT_TRUE(form.PopupMenuSubRunAtSystemStartup().checked);
    EXPECT_TRUE(fake.registry.values.empty());
}

TEST(StartupSwitchTest, AStaleValueIsUncheckedAndCheckingReplacesIt) {
    FakePlatform fake;
    fake.registry.values[RunValue] = "\"D:\\Old\\Vantrel.exe\"" + std::string(1, '\0');
    fake.process.moduleFileName = BlankPath;
    MainForm form(fake.platform);
    form.FormCreate();
    EXPECT_FALSE(form.PopupMenuSubRunAtSystemStartup().checked);
    form.PopupMenuSubRunAtSystemStartupClick();
    EXPECT_EQ(fake.registry.values[RunValue], "\"" + BlankPath + "\"" + std::string(1, '\0'));
}

} // namespace
} // namespace vantrel
