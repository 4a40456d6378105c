// No exception leaves a window procedure: whichever path a handler runs on
// (a reflected notification, a dialog key, a timer, a focus change, the close
// question), its exception is reported by the application and the thread's
// message loop, and the dialog, go on.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/ui/gui_test_support.h"
#include "ui/application.h"
#include "ui/buttons.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/timer.h"

namespace {

using uitest::Do;
using uitest::WhenShown;
using uitest::Script;
using uitest::Watchdog;

constexpr const char* kLayout =
    "object Dlg: TestDialog\n"
    "  BorderStyle = bsDialog\n"
    "  Caption = 'Barrier Test'\n"
    "  ClientWidth = 250\n"
    "  ClientHeight = 90\n"
    "  object Edit: TEdit\n    Left = 8\n    Top = 8\n  end\n"
    "  object Throw: TButton\n    Left = 8\n    Top = 50\n    Caption = 'Throw'\n  end\n"
    "  object Cancel: TButton\n    Left = 120\n    Top = 50\n    Caption = 'Cancel'\n    Cancel = True\n"
    "    ModalResult = 2\n  end\n"
    "end\n";

class TestDialog : public ui::TForm {
public:
    TestDialog() : ui::TForm(nullptr) { ReadFormText(kLayout); }
};

struct Report {
    std::string sender;
    std::string message;
};

// Collects what the application reports while it lives.
class ReportCollector {
public:
    ReportCollector()
    {
        ui::Application().OnException = [this](ui::TObject* sender, const std::string& message) {
            auto* component = dynamic_cast<ui::TComponent*>(sender);
            reports.push_back({component != nullptr ? component->Name() : "", message});
        };
    }
    ReportCollector(const ReportCollector&) = delete;
    ReportCollector& operator=(const ReportCollector&) = delete;
    ~ReportCollector() { ui::Application().OnException = nullptr; }

    std::vector<Report> reports;
};

HWND g_dialog = nullptr;

struct ThrowCase {
    const char* name;
    std::function<void(TestDialog&)> arm;  // makes a handler throw
    std::vector<Script::Step> trigger;
    const char* sender;
};

void ThrowFrom(ui::TObject*)
{
    throw std::runtime_error("handler failed");
}

TEST(ExceptionBarrier, AHandlerThatThrowsIsReportedAndTheDialogGoesOn)
{
    const std::vector<ThrowCase> cases = {
        {"button clicked with the mouse",
         [](TestDialog& d) { d.Field<ui::TButton>("Throw")->OnClick = ThrowFrom; },
         {Do([] { uitest::PostClick(uitest::FindChild(g_dialog, "Throw")); })}, "Dlg"},
        {"button clicked with a dialog key",
         [](TestDialog& d) {
             d.Field<ui::TButton>("Throw")->SetDefault(true);
             d.Field<ui::TButton>("Throw")->OnClick = ThrowFrom;
         },
         {Do([] { uitest::PostKey(VK_RETURN); })}, "Edit"},
        {"timer event",
         [](TestDialog& d) {
             auto* timer = new ui::TTimer(&d);
             timer->SetName("Timer");
             timer->SetInterval(20);
             timer->SetOnTimer([timer](ui::TObject* s) {
                 timer->SetEnabled(false);
                 ThrowFrom(s);
             });
         },
         {}, "Timer"},
        {"focus entering a control",
         [](TestDialog& d) { d.Field<ui::TButton>("Throw")->OnEnter = ThrowFrom; },
         {Do([] { uitest::PostKey(VK_TAB); })}, "Throw"},
        {"key typed into an edit",
         [](TestDialog& d) {
             d.Field<ui::TEdit>("Edit")->OnKeyPress = [](ui::TObject* s, char&) { ThrowFrom(s); };
         },
         {Do([] { PostMessageA(GetFocus(), WM_CHAR, 'x', 1); })}, "Edit"},
    };
    for (const ThrowCase& c : cases) {
        ReportCollector collector;
        TestDialog dialog;
        c.arm(dialog);
        Watchdog watchdog;
        std::vector<Script::Step> steps{WhenShown("Barrier Test", g_dialog)};
        steps.insert(steps.end(), c.trigger.begin(), c.trigger.end());
        steps.push_back([&] { return !collector.reports.empty(); });
        steps.push_back(Do([] { uitest::PostKey(VK_ESCAPE); }));
        Script script(steps);
        EXPECT_EQ(dialog.ShowModal(), ui::mrCancel) << c.name;
        EXPECT_FALSE(watchdog.Fired()) << c.name << " stuck before step " << script.StepsDone();
        ASSERT_EQ(collector.reports.size(), 1u) << c.name;
        EXPECT_EQ(collector.reports[0].message, "handler failed") << c.name;
        EXPECT_EQ(collector.reports[0].sender, c.sender) << c.name;
    }
}

TEST(ExceptionBarrier, AFailingCloseQueryStillClosesTheDialog)
{
    ReportCollector collector;
    TestDialog dialog;
    dialog.OnCloseQuery = [](ui::TObject* s, bool&) { ThrowFrom(s); };
    Watchdog watchdog;
    Script script({WhenShown("Barrier Test", g_dialog), Do([] { uitest::PostKey(VK_ESCAPE); })});
    EXPECT_EQ(dialog.ShowModal(), ui::mrCancel);
    EXPECT_FALSE(watchdog.Fired()) << " stuck before step " << script.StepsDone();
    ASSERT_EQ(collector.reports.size(), 1u);
    EXPECT_EQ(collector.reports[0].message, "handler failed");
}

TEST(ExceptionBarrier, TheStandardDisplayIsAnErrorBoxWithTheApplicationTitle)
{
    struct BoxCase {
        std::function<void(ui::TObject*)> thrower;
        const char* text;
    };
    const BoxCase cases[] = {
        {ThrowFrom, "handler failed."},
        {[](ui::TObject*) { throw 42; }, "Unknown exception."},
        {[](ui::TObject*) { throw std::runtime_error("Stop!"); }, "Stop!"},
    };
    for (const BoxCase& c : cases) {
        TestDialog dialog;
        dialog.Field<ui::TButton>("Throw")->OnClick = c.thrower;
        std::string caption;
        std::string text;
        Watchdog watchdog;
        Script script({WhenShown("Barrier Test", g_dialog), Do([] { uitest::PostClick(uitest::FindChild(g_dialog, "Throw")); }), [&] {
                           HWND box = uitest::FindMessageBox();
                           if (box == nullptr) return false;
                           caption = uitest::WindowText(box);
                           text = uitest::WindowText(GetDlgItem(box, 0xFFFF));
                           PostMessageA(box, WM_COMMAND, IDOK, 0);
                           return true;
                       },
                       [] { return uitest::FindMessageBox() == nullptr && IsChild(g_dialog, GetFocus()) != 0; },
                       Do([] { uitest::PostKey(VK_ESCAPE); })});
        EXPECT_EQ(dialog.ShowModal(), ui::mrCancel);
        EXPECT_FALSE(watchdog.Fired()) << " stuck before step " << script.StepsDone();
        EXPECT_EQ(caption, ui::Application().Title());
        EXPECT_EQ(text, c.text);
    }
    EXPECT_EQ(ui::Application().Title(), "ui_exception_barrier_test");
}

}  // namespace
