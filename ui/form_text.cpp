#include "ui/form_text.h"

#include <cctype>
#include <charconv>
#include <limits>

namespace ui {

FormSyntaxError::FormSyntaxError(int line, const std::string& what)
    : std::runtime_error("line " + std::to_string(line) + ": " + what), line_(line)
{
}

namespace {

enum class Tok { End, Name, Integer, Real, String, Symbol };

struct Token {
    Tok kind = Tok::End;
    std::string text;  // name, decoded string, or the symbol character
    std::int64_t integer = 0;
    double real = 0.0;
    int line = 1;
};

bool IsNameStart(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) != 0 || c == '_';
}

bool IsNameChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

class Lexer {
public:
    explicit Lexer(std::string_view text) : text_(text) { Advance(); }

    const Token& Peek() const { return current_; }

    Token Take()
    {
        Token t = current_;
        Advance();
        return t;
    }

private:
    void SkipBlanks()
    {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '\n') {
                ++line_;
            } else if (c != ' ' && c != '\t' && c != '\r') {
                return;
            }
            ++pos_;
        }
    }

    void Advance()
    {
        SkipBlanks();
        current_ = Token{};
        current_.line = line_;
        if (pos_ >= text_.size()) {
            return;
        }
        const char c = text_[pos_];
        if (IsNameStart(c)) {
            ReadName();
        } else if (c == '\'' || c == '#') {
            ReadString();
        } else if (IsDigit(c) || c == '$' ||
                   ((c == '-' || c == '+') && pos_ + 1 < text_.size() &&
                    (IsDigit(text_[pos_ + 1]) || text_[pos_ + 1] == '.'))) {
            ReadNumber();
        } else if (std::string_view("=:()[],+.").find(c) != std::string_view::npos) {
            current_.kind = Tok::Symbol;
            current_.text = std::string(1, c);
            ++pos_;
        } else {
            throw FormSyntaxError(line_, std::string("unexpected character '") + c + "'");
        }
    }

    // A name, with dotted parts joined: Font.Height.
    void ReadName()
    {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && (IsNameChar(text_[pos_]) ||
                                        (text_[pos_] == '.' && pos_ + 1 < text_.size() && IsNameStart(text_[pos_ + 1])))) {
            ++pos_;
        }
        current_.kind = Tok::Name;
        current_.text = std::string(text_.substr(start, pos_ - start));
    }

    // Quoted parts and #nnn character codes, written next to each other.
    void ReadString()
    {
        std::string value;
        while (pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '#')) {
            if (text_[pos_] == '#') {
                ++pos_;
                const std::size_t start = pos_;
                while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
                unsigned code = 0;
                const auto [end, ec] = std::from_chars(text_.data() + start, text_.data() + pos_, code);
                if (start == pos_ || ec != std::errc() || end != text_.data() + pos_ || code > 255) {
                    throw FormSyntaxError(line_, "bad character code");
                }
                value.push_back(static_cast<char>(code));
                continue;
            }
            ++pos_;
            for (;;) {
                if (pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r') {
                    throw FormSyntaxError(line_, "unterminated string");
                }
                if (text_[pos_] == '\'') {
                    if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
                        value.push_back('\'');
                        pos_ += 2;
                        continue;
                    }
                    ++pos_;
                    break;
                }
                value.push_back(text_[pos_++]);
            }
        }
        current_.kind = Tok::String;
        current_.text = std::move(value);
    }

    void ReadNumber()
    {
        const std::size_t start = pos_;
        if (text_[pos_] == '$') {
            ++pos_;
            const std::size_t digits = pos_;
            while (pos_ < text_.size() && std::isxdigit(static_cast<unsigned char>(text_[pos_])) != 0) ++pos_;
            std::uint64_t value = 0;
            const auto [end, ec] = std::from_chars(text_.data() + digits, text_.data() + pos_, value, 16);
            if (digits == pos_ || ec != std::errc() || value > 0xFFFFFFFFu) {
                throw FormSyntaxError(line_, "bad hexadecimal number");
            }
            current_.kind = Tok::Integer;
            current_.integer = static_cast<std::int64_t>(value);
            return;
        }
        bool real = false;
        if (text_[pos_] == '-' || text_[pos_] == '+') ++pos_;
        while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '.') {
            real = true;
            ++pos_;
            while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
        }
        if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
            real = true;
            ++pos_;
            if (pos_ < text_.size() && (text_[pos_] == '-' || text_[pos_] == '+')) ++pos_;
            while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
        }
        const char* first = text_.data() + start;
        if (*first == '+') ++first;
        const char* last = text_.data() + pos_;
        if (real) {
            double value = 0.0;
            const auto [end, ec] = std::from_chars(first, last, value);
            if (ec != std::errc() || end != last) throw FormSyntaxError(line_, "bad number");
            current_.kind = Tok::Real;
            current_.real = value;
        } else {
            std::int64_t value = 0;
            const auto [end, ec] = std::from_chars(first, last, value);
            if (ec != std::errc() || end != last) throw FormSyntaxError(line_, "bad number");
            current_.kind = Tok::Integer;
            current_.integer = value;
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    Token current_;
};

bool IsSymbol(const Token& t, char c)
{
    return t.kind == Tok::Symbol && t.text.size() == 1 && t.text[0] == c;
}

bool IsWord(const Token& t, std::string_view word)
{
    if (t.kind != Tok::Name || t.text.size() != word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(t.text[i])) != word[i]) return false;
    }
    return true;
}

class Parser {
public:
    explicit Parser(std::string_view text) : lex_(text) {}

    FormObject ParseRoot()
    {
        FormObject root = ParseObject();
        if (lex_.Peek().kind != Tok::End) {
            throw FormSyntaxError(lex_.Peek().line, "text after the end of the root object");
        }
        return root;
    }

private:
    Token Expect(Tok kind, const char* what)
    {
        if (lex_.Peek().kind != kind) throw FormSyntaxError(lex_.Peek().line, std::string(what) + " expected");
        return lex_.Take();
    }

    void ExpectSymbol(char c)
    {
        if (!IsSymbol(lex_.Peek(), c)) throw FormSyntaxError(lex_.Peek().line, std::string("'") + c + "' expected");
        lex_.Take();
    }

    FormObject ParseObject()
    {
        if (!IsWord(lex_.Peek(), "object")) throw FormSyntaxError(lex_.Peek().line, "'object' expected");
        FormObject object;
        object.line = lex_.Take().line;
        object.name = Expect(Tok::Name, "object name").text;
        ExpectSymbol(':');
        object.className = Expect(Tok::Name, "class name").text;
        for (;;) {
            const Token& t = lex_.Peek();
            if (t.kind == Tok::End) throw FormSyntaxError(t.line, "'end' expected");
            if (IsWord(t, "end")) {
                lex_.Take();
                return object;
            }
            if (IsWord(t, "object")) {
                object.children.push_back(ParseObject());
                continue;
            }
            FormProperty property;
            property.line = t.line;
            property.name = Expect(Tok::Name, "property name").text;
            ExpectSymbol('=');
            property.value = ParseValue();
            object.properties.push_back(std::move(property));
        }
    }

    FormValue ParseValue()
    {
        const Token& t = lex_.Peek();
        FormValue value;
        switch (t.kind) {
        case Tok::Integer:
            value.kind = FormValue::Kind::Integer;
            value.integer = lex_.Take().integer;
            return value;
        case Tok::Real:
            value.kind = FormValue::Kind::Real;
            value.real = lex_.Take().real;
            return value;
        case Tok::String:
            value.kind = FormValue::Kind::String;
            value.text = lex_.Take().text;
            while (IsSymbol(lex_.Peek(), '+')) {
                lex_.Take();
                value.text += Expect(Tok::String, "string").text;
            }
            return value;
        case Tok::Name:
            value.kind = FormValue::Kind::Ident;
            value.text = lex_.Take().text;
            return value;
        case Tok::Symbol:
            if (IsSymbol(t, '[')) return ParseSet();
            if (IsSymbol(t, '(')) return ParseList();
            break;
        case Tok::End:
            break;
        }
        throw FormSyntaxError(t.line, "value expected");
    }

    FormValue ParseSet()
    {
        FormValue value;
        value.kind = FormValue::Kind::Set;
        ExpectSymbol('[');
        if (IsSymbol(lex_.Peek(), ']')) {
            lex_.Take();
            return value;
        }
        for (;;) {
            value.members.push_back(Expect(Tok::Name, "set member").text);
            if (IsSymbol(lex_.Peek(), ']')) {
                lex_.Take();
                return value;
            }
            ExpectSymbol(',');
        }
    }

    FormValue ParseList()
    {
        FormValue value;
        value.kind = FormValue::Kind::List;
        ExpectSymbol('(');
        while (!IsSymbol(lex_.Peek(), ')')) {
            value.items.push_back(ParseValue());
        }
        lex_.Take();
        return value;
    }

    Lexer lex_;
};

}  // namespace

FormObject ParseFormText(std::string_view text)
{
    return Parser(text).ParseRoot();
}

}  // namespace ui
