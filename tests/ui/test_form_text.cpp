// The text form description: values of every kind, nesting, and errors that
// name their line.
#include <gtest/gtest.h>

#include "ui/form_text.h"

namespace {

using ui::FormObject;
using ui::FormValue;
using Kind = FormValue::Kind;

FormValue ValueOf(const std::string& text)
{
    const FormObject root = ui::ParseFormText("object A: TA\n  P = " + text + "\nend\n");
    return root.properties.at(0).value;
}

struct ScalarCase {
    const char* text;
    Kind kind;
    std::int64_t integer;
    double real;
    const char* string;
};

TEST(FormText, ReadsEveryScalarKind)
{
    const ScalarCase cases[] = {
        {"28", Kind::Integer, 28, 0, ""},
        {"-11", Kind::Integer, -11, 0, ""},
        {"$00C0C0C0", Kind::Integer, 0xC0C0C0, 0, ""},
        {"1.5", Kind::Real, 0, 1.5, ""},
        {"1e+100", Kind::Real, 0, 1e100, ""},
        {"-2.5E-3", Kind::Real, 0, -2.5e-3, ""},
        {"'OK'", Kind::String, 0, 0, "OK"},
        {"' Data size '", Kind::String, 0, 0, " Data size "},
        {"'it''s'", Kind::String, 0, 0, "it's"},
        {"'a'#13#10'b'", Kind::String, 0, 0, "a\r\nb"},
        {"'Signal to ' +\n    'Noise'", Kind::String, 0, 0, "Signal to Noise"},
        {"''", Kind::String, 0, 0, ""},
        {"bsDialog", Kind::Ident, 0, 0, "bsDialog"},
        {"Form1.Label1", Kind::Ident, 0, 0, "Form1.Label1"},
    };
    for (const ScalarCase& c : cases) {
        const FormValue v = ValueOf(c.text);
        EXPECT_EQ(v.kind, c.kind) << c.text;
        EXPECT_EQ(v.integer, c.integer) << c.text;
        EXPECT_EQ(v.real, c.real) << c.text;
        EXPECT_EQ(v.text, c.string) << c.text;
    }
}

TEST(FormText, ReadsSetsAndLists)
{
    EXPECT_TRUE(ValueOf("[]").members.empty());
    EXPECT_EQ(ValueOf("[fsBold, fsItalic]").members, (std::vector<std::string>{"fsBold", "fsItalic"}));
    const FormValue list = ValueOf("(\n      '1024'\n      '2048')");
    ASSERT_EQ(list.kind, Kind::List);
    ASSERT_EQ(list.items.size(), 2u);
    EXPECT_EQ(list.items[0].text, "1024");
    EXPECT_EQ(list.items[1].text, "2048");
}

TEST(FormText, KeepsObjectsPropertiesAndChildrenInOrder)
{
    const FormObject root = ui::ParseFormText(
        "object Dlg: TDlg\r\n"
        "  Caption = 'x'\r\n"
        "  Font.Height = -11\r\n"
        "  object B1: TButton\r\n"
        "    object Inner: TLabel\r\n"
        "    end\r\n"
        "  end\r\n"
        "  object B2: TButton\r\n"
        "  end\r\n"
        "  Tail = 1\r\n"
        "end\r\n");
    EXPECT_EQ(root.name, "Dlg");
    EXPECT_EQ(root.className, "TDlg");
    ASSERT_EQ(root.properties.size(), 3u);
    EXPECT_EQ(root.properties[1].name, "Font.Height");
    EXPECT_EQ(root.properties[1].line, 3);
    ASSERT_EQ(root.children.size(), 2u);
    EXPECT_EQ(root.children[0].name, "B1");
    EXPECT_EQ(root.children[0].children.at(0).className, "TLabel");
    EXPECT_EQ(root.children[1].name, "B2");
    EXPECT_EQ(root.children[1].line, 8);
}

struct ErrorCase {
    const char* text;
    int line;
};

TEST(FormText, RejectsBrokenTextNamingTheLine)
{
    const ErrorCase cases[] = {
        {"", 1},
        {"thing A: TA\nend", 1},
        {"object A TA\nend", 1},
        {"object A: TA\n  P = 'open\nend", 2},
        {"object A: TA\n  P =\nend", 3},
        {"object A: TA\n  P = [a b]\nend", 2},
        {"object A: TA\n  P = #300\nend", 2},
        {"object A: TA\n  P = 1\n", 3},
        {"object A: TA\nend\nobject B: TB\nend", 3},
        {"object A: TA\n  P = 1.5.5\nend", 2},
        {"object A: TA\n  P ? 1\nend", 2},
        {"object A: TA\n  P = $\nend", 2},
    };
    for (const ErrorCase& c : cases) {
        try {
            ui::ParseFormText(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const ui::FormSyntaxError& e) {
            EXPECT_EQ(e.Line(), c.line) << c.text << " -> " << e.what();
        }
    }
}

}  // namespace
