#include "platform/LayoutValue.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace {

// Deeper nesting than any real layout needs; it keeps hostile input from exhausting the stack.
constexpr int MaxNesting = 64;

bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

void AppendUtf8(std::string& out, uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

class TParser {
public:
  explicit TParser(const std::string& text) : Text(text) {}

  TLayoutObject ParseFile() {
    SkipSpace();
    if (!TryKeyword("object")) Fail("the layout does not start with 'object'");
    TLayoutObject root = ParseObjectRest(0);
    SkipSpace();
    if (!AtEnd()) Fail("unexpected text after the final 'end'");
    return root;
  }

private:
  [[noreturn]] void Fail(const std::string& problem) const { throw ELayoutReadError(Line, problem); }

  bool AtEnd() const { return Pos >= Text.size(); }
  char Peek(size_t ahead = 0) const { return Pos + ahead < Text.size() ? Text[Pos + ahead] : '\0'; }
  void Advance() {
    if (Text[Pos] == '\n') ++Line;
    ++Pos;
  }

  void SkipSpace() {
    while (!AtEnd() && std::isspace(static_cast<unsigned char>(Peek()))) Advance();
  }

  void Expect(char c, const char* what) {
    SkipSpace();
    if (Peek() != c) Fail(std::string("expected ") + what);
    Advance();
  }

  void Nest(int depth) const {
    if (depth > MaxNesting) Fail("nesting too deep");
  }

  // A plain identifier (no dots).
  std::string Ident() {
    SkipSpace();
    if (!IsIdentStart(Peek())) Fail("expected a name");
    const size_t start = Pos;
    while (IsIdentChar(Peek())) Advance();
    return Text.substr(start, Pos - start);
  }

  // An identifier that may continue with dots.
  std::string DottedIdent() {
    std::string name = Ident();
    while (Peek() == '.' && IsIdentStart(Peek(1))) {
      Advance();
      name += '.';
      name += Ident();
    }
    return name;
  }

  bool TryKeyword(const char* keyword) {
    SkipSpace();
    size_t n = 0;
    while (keyword[n] && Peek(n) == keyword[n]) ++n;
    if (keyword[n] || IsIdentChar(Peek(n))) return false;
    for (size_t i = 0; i < n; ++i) Advance();
    return true;
  }

  // After "object": "Name: TClass" or just "TClass", then the body up to "end".
  TLayoutObject ParseObjectRest(int depth) {
    Nest(depth);
    TLayoutObject object;
    object.Line = Line;
    std::string first = Ident();
    SkipSpace();
    if (Peek() == ':') {
      Advance();
      object.Name = std::move(first);
      object.ClassName = Ident();
    } else {
      object.ClassName = std::move(first);
    }
    for (;;) {
      SkipSpace();
      if (AtEnd()) Fail("missing 'end' of object " + (object.Name.empty() ? object.ClassName : object.Name));
      if (TryKeyword("end")) return object;
      if (TryKeyword("object")) {
        object.Children.push_back(ParseObjectRest(depth + 1));
        continue;
      }
      object.Properties.push_back(ParseProperty(depth));
    }
  }

  TLayoutProperty ParseProperty(int depth) {
    TLayoutProperty property;
    SkipSpace();
    property.Line = Line;
    property.Name = DottedIdent();
    Expect('=', "'=' after the property name");
    property.Value.push_back(ParseValue(depth + 1));
    return property;
  }

  TLayoutValue ParseValue(int depth) {
    Nest(depth);
    SkipSpace();
    TLayoutValue value;
    value.Line = Line;
    const char c = Peek();
    if (c == '\'' || c == '#') {
      value.Kind = TValueKind::String;
      value.Text = StringValue();
    } else if (c == '(') {
      Advance();
      value.Kind = TValueKind::List;
      for (;;) {
        SkipSpace();
        if (AtEnd()) Fail("unterminated list");
        if (Peek() == ')') break;
        value.Items.push_back(ParseValue(depth + 1));
      }
      Advance();
    } else if (c == '[') {
      Advance();
      value.Kind = TValueKind::Set;
      SkipSpace();
      if (Peek() != ']') {
        for (;;) {
          value.Names.push_back(Ident());
          SkipSpace();
          if (Peek() == ']') break;
          Expect(',', "',' or ']' in a set");
        }
      }
      Advance();
    } else if (c == '<') {
      Advance();
      value.Kind = TValueKind::Collection;
      for (;;) {
        SkipSpace();
        if (AtEnd()) Fail("unterminated collection");
        if (Peek() == '>') break;
        TLayoutCollectionItem item;
        item.Line = Line;
        if (!TryKeyword("item")) Fail("expected 'item' or '>' in a collection");
        for (;;) {
          SkipSpace();
          if (AtEnd()) Fail("missing 'end' of a collection item");
          if (TryKeyword("end")) break;
          item.Properties.push_back(ParseProperty(depth + 1));
        }
        value.Collection.push_back(std::move(item));
      }
      Advance();
    } else if (c == '{') {
      Advance();
      value.Kind = TValueKind::Binary;
      Binary(value.Bytes);
    } else if (IsDigit(c) || c == '-' || c == '+' || c == '$') {
      Number(value);
    } else if (IsIdentStart(c)) {
      value.Kind = TValueKind::Identifier;
      value.Text = DottedIdent();
    } else if (AtEnd()) {
      Fail("missing value at the end of the layout");
    } else {
      Fail(std::string("unexpected character '") + c + "'");
    }
    return value;
  }

  // Quoted parts, character codes and '+' continuations joined into one UTF-8 string.
  std::string StringValue() {
    std::string text;
    for (;;) {
      if (Peek() == '\'') {
        Advance();
        for (;;) {
          if (AtEnd() || Peek() == '\n' || Peek() == '\r') Fail("unterminated string");
          if (Peek() == '\'') {
            Advance();
            if (Peek() != '\'') break;
          }
          text += Peek();
          Advance();
        }
      } else if (Peek() == '#') {
        Advance();
        if (!IsDigit(Peek())) Fail("expected a character code after '#'");
        uint32_t code = 0;
        while (IsDigit(Peek())) {
          code = code * 10 + static_cast<uint32_t>(Peek() - '0');
          if (code > 0x10FFFF) Fail("character code out of range");
          Advance();
        }
        if (code >= 0xD800 && code <= 0xDFFF) Fail("character code out of range");
        AppendUtf8(text, code);
      } else {
        // A '+' joins the next part, possibly on the next line.
        const size_t pos = Pos;
        const int line = Line;
        SkipSpace();
        if (Peek() == '+') {
          Advance();
          SkipSpace();
          if (Peek() == '\'' || Peek() == '#') continue;
          Fail("expected a string after '+'");
        }
        Pos = pos;
        Line = line;
        return text;
      }
    }
  }

  void Number(TLayoutValue& value) {
    const size_t start = Pos;
    if (Peek() == '$') {
      Advance();
      uint64_t bits = 0;
      int digits = 0;
      while (std::isxdigit(static_cast<unsigned char>(Peek()))) {
        if (++digits > 16) Fail("integer out of range");
        bits = bits * 16 + static_cast<uint64_t>(HexDigit(Peek()));
        Advance();
      }
      if (digits == 0) Fail("expected hexadecimal digits after '$'");
      value.Kind = TValueKind::Integer;
      value.Integer = static_cast<int64_t>(bits);
      return;
    }
    if (Peek() == '-' || Peek() == '+') Advance();
    if (!IsDigit(Peek())) Fail("expected a number");
    bool isFloat = false;
    while (IsDigit(Peek())) Advance();
    if (Peek() == '.' && IsDigit(Peek(1))) {
      isFloat = true;
      Advance();
      while (IsDigit(Peek())) Advance();
    }
    if (Peek() == 'e' || Peek() == 'E') {
      isFloat = true;
      Advance();
      if (Peek() == '-' || Peek() == '+') Advance();
      if (!IsDigit(Peek())) Fail("expected an exponent");
      while (IsDigit(Peek())) Advance();
    }
    if (IsIdentChar(Peek())) Fail("unexpected character after a number");
    const char* first = Text.data() + start + (Text[start] == '+' ? 1 : 0);
    const char* last = Text.data() + Pos;
    if (isFloat) {
      value.Kind = TValueKind::Float;
      const auto result = std::from_chars(first, last, value.Float);
      if (result.ec != std::errc() || !std::isfinite(value.Float)) Fail("number out of range");
    } else {
      value.Kind = TValueKind::Integer;
      const auto result = std::from_chars(first, last, value.Integer);
      if (result.ec != std::errc()) Fail("integer out of range");
    }
  }

  static int HexDigit(char c) { return IsDigit(c) ? c - '0' : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10; }

  void Binary(std::vector<uint8_t>& bytes) {
    int high = -1;
    for (;;) {
      SkipSpace();
      if (AtEnd()) Fail("unterminated binary value");
      const char c = Peek();
      if (c == '}') break;
      if (!std::isxdigit(static_cast<unsigned char>(c))) Fail("invalid character in a binary value");
      if (high < 0) {
        high = HexDigit(c);
      } else {
        bytes.push_back(static_cast<uint8_t>(high * 16 + HexDigit(c)));
        high = -1;
      }
      Advance();
    }
    if (high >= 0) Fail("odd number of digits in a binary value");
    Advance();
  }

  const std::string& Text;
  size_t Pos = 0;
  int Line = 1;
};

}  // namespace

const char* ValueKindName(TValueKind kind) {
  switch (kind) {
    case TValueKind::Integer: return "an integer";
    case TValueKind::Float: return "a number";
    case TValueKind::String: return "a string";
    case TValueKind::Identifier: return "an identifier";
    case TValueKind::Set: return "a set";
    case TValueKind::List: return "a list";
    case TValueKind::Collection: return "a collection";
    case TValueKind::Binary: return "binary data";
  }
  return "a value";
}

ELayoutReadError::ELayoutReadError(int line, const std::string& problem)
    : std::runtime_error("Line " + std::to_string(line) + ": " + problem), Line_(line) {}

TLayoutObject ParseLayout(const std::string& text) { return TParser(text).ParseFile(); }
