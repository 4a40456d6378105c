#pragma once
// The text form description: a tree of objects with their properties, as a
// stored form layout holds them. Portable; the reader (form_reader.h) turns a
// parsed tree into components.
//
//   object OKBtn: TButton
//     Left = 28
//     Caption = 'OK'
//     Default = True
//     Font.Style = [fsBold]
//     Items.Strings = (
//       '1024'
//       '2048')
//   end
//
// Values: integers (decimal or $hex), reals, strings ('it''s', #13#10 codes,
// parts joined by +), identifiers, sets [a, b] and lists ( v v ).

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

struct FormValue {
    enum class Kind { Integer, Real, String, Ident, Set, List };
    Kind kind = Kind::Integer;
    std::int64_t integer = 0;
    double real = 0.0;
    std::string text;                  // String and Ident
    std::vector<std::string> members;  // Set
    std::vector<FormValue> items;      // List
};

struct FormProperty {
    std::string name;  // dotted for nested properties: "Font.Height"
    FormValue value;
    int line = 0;
};

struct FormObject {
    std::string name;
    std::string className;
    int line = 0;
    std::vector<FormProperty> properties;
    std::vector<FormObject> children;
};

class FormSyntaxError : public std::runtime_error {
public:
    FormSyntaxError(int line, const std::string& what);
    int Line() const { return line_; }

private:
    int line_;
};

// Parses one root object; anything but blanks after its "end" is an error.
FormObject ParseFormText(std::string_view text);

}  // namespace ui
