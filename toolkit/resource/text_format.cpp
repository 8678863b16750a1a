// Parsing and writing the form text.
#include "toolkit/resource/text_format.h"

#include <cstdint>

#include "toolkit/core/object.h"
#include "toolkit/resource/binary_format.h"
#include "toolkit/resource/unicode_text.h"

namespace {

bool identStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool identChar(char c) {
    return identStart(c) || (c >= '0' && c <= '9');
}
int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}
bool isAscii(const std::string& s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

class Parser {
  public:
    Parser(const std::string& text, const TFormTextOptions& options) : s_(text), o_(options) {}

    TFormNode form() {
        if (s_.compare(0, 3, "\xEF\xBB\xBF") == 0) i_ = 3; // editors may save a BOM
        skip();
        TFormNode root = object(0);
        skip();
        if (more()) fail("text after the end of the form");
        return root;
    }

  private:
    [[noreturn]] void fail(const std::string& what) const { failAt(line_, what); }
    [[noreturn]] void failAt(int line, const std::string& what) const {
        std::string where =
            o_.fileName.empty() ? "line " + std::to_string(line) : o_.fileName + ":" + std::to_string(line);
        throw EReadError(where + ": " + what);
    }

    bool more() const { return i_ < s_.size(); }
    char peek(size_t k = 0) const { return i_ + k < s_.size() ? s_[i_ + k] : '\0'; }
    void skip() {
        for (; more(); ++i_) {
            char c = s_[i_];
            if (c == '\n')
                ++line_;
            else if (c != ' ' && c != '\t' && c != '\r')
                break;
        }
    }
    void skipInline() {
        while (peek() == ' ' || peek() == '\t')
            ++i_;
    }
    std::string ident(const std::string& what) {
        if (!identStart(peek())) fail("expected " + what);
        size_t b = i_;
        while (identChar(peek()))
            ++i_;
        return s_.substr(b, i_ - b);
    }
    // A keyword stands alone: "end" is a property when "=" or "." follows it.
    bool keywordAhead(const char* word) {
        size_t save = i_;
        if (!identStart(peek())) return false;
        std::string w = ident("");
        skipInline();
        bool is = SameText(w, word) && peek() != '=' && peek() != '.';
        i_ = save;
        return is;
    }

    TFormNode object(int depth) {
        if (depth > kMaxFormDepth) fail("objects nest deeper than " + std::to_string(kMaxFormDepth));
        TFormNode n;
        n.line = line_;
        std::string word = ident("'object'");
        if (!SameText(word, "object")) fail("expected 'object', found '" + word + "'");
        skipInline();
        std::string first = ident("a component name or class name after 'object'");
        skipInline();
        if (peek() == ':') {
            ++i_;
            skipInline();
            n.name = first;
            n.className = ident("a class name after '" + first + ":'");
        } else {
            n.className = first;
        }
        for (;;) {
            skip();
            if (!more())
                failAt(n.line, "object " + (n.name.empty() ? n.className : n.name) + " has no 'end'");
            if (keywordAhead("end")) {
                ident("");
                return n;
            }
            if (keywordAhead("object"))
                n.children.push_back(object(depth + 1));
            else
                n.props.push_back(prop(depth));
        }
    }

    TFormProp prop(int depth) {
        TFormProp p;
        p.line = line_;
        p.name = ident("a property name, 'object' or 'end'");
        while (peek() == '.') {
            ++i_;
            p.name += "." + ident("a property name after '" + p.name + ".'");
        }
        skipInline();
        if (peek() != '=') fail("expected '=' after " + p.name);
        ++i_;
        skipInline();
        p.value = value(p.name, depth);
        return p;
    }

    TFormValue value(const std::string& prop, int depth) {
        TFormValue v;
        char c = peek();
        if (c == '\'' || c == '#') {
            v.kind = TFormValueKind::String;
            v.text = ansiString();
        } else if (c == 'W' && (peek(1) == '\'' || peek(1) == '#')) {
            ++i_;
            v.kind = TFormValueKind::WString;
            v.wide = wideString();
        } else if (c == '-' || c == '$' || (c >= '0' && c <= '9')) {
            v.integer = integer();
        } else if (c == '[') {
            v.kind = TFormValueKind::Set;
            v.members = set();
        } else if (c == '{') {
            v.kind = TFormValueKind::Binary;
            v.bytes = binary();
        } else if (c == '<') {
            v.kind = TFormValueKind::Collection;
            v.items = collection(depth + 1);
        } else if (identStart(c)) {
            v.text = ident("");
            v.kind = SameText(v.text, "True")    ? TFormValueKind::True
                     : SameText(v.text, "False") ? TFormValueKind::False
                                                 : TFormValueKind::Ident;
            if (v.kind != TFormValueKind::Ident) v.text.clear();
        } else {
            fail("expected a value for " + prop);
        }
        return v;
    }

    int64_t integer() {
        bool neg = peek() == '-';
        if (neg) ++i_;
        int base = 10;
        if (peek() == '$') {
            base = 16;
            ++i_;
        }
        uint64_t v = 0;
        size_t start = i_;
        for (int d; (d = hexDigit(peek())) >= 0 && d < base; ++i_) {
            if (v > (UINT64_MAX - uint64_t(d)) / uint64_t(base)) fail("number out of range");
            v = v * uint64_t(base) + uint64_t(d);
        }
        if (i_ == start || identChar(peek())) fail("malformed number");
        if (v > uint64_t(INT64_MAX) + (neg ? 1 : 0)) fail("number out of range");
        return neg ? int64_t(0 - v) : int64_t(v);
    }

    // Walks the terms of a string, handing each quoted run (UTF-8) or #n code to `piece`.
    template <class Piece> void terms(Piece&& piece) {
        for (;;) {
            if (peek() == '\'') {
                ++i_;
                std::string text;
                for (;;) {
                    if (!more() || peek() == '\n' || peek() == '\r') fail("unterminated string");
                    char ch = s_[i_++];
                    if (ch != '\'')
                        text += ch;
                    else if (peek() == '\'')
                        text += s_[i_++];
                    else
                        break;
                }
                piece(text, -1);
            } else if (peek() == '#') {
                ++i_;
                if (peek() == '-') fail("malformed character code");
                piece(std::string(), integer());
            } else {
                fail("expected a quoted string or #code after '+'");
            }
            size_t save = i_;
            skipInline();
            if (peek() == '\'' || peek() == '#') continue;
            if (peek() == '+') {
                ++i_;
                skip();
                continue;
            }
            i_ = save;
            return;
        }
    }

    std::string ansiString() {
        std::string out;
        terms([&](const std::string& text, int64_t code) {
            if (code >= 0) {
                if (code > 255) fail("#" + std::to_string(code) + " is not a byte (8-bit string)");
                out += char(code);
                return;
            }
            if (isAscii(text)) {
                out += text;
                return;
            }
            std::string ansi;
            if (!o_.codec) fail("no code page to convert '" + text + "' to");
            if (!o_.codec->FromUtf8(text, ansi)) fail("cannot convert '" + text + "' to the ANSI code page");
            out += ansi;
        });
        return out;
    }

    std::u16string wideString() {
        std::u16string out;
        terms([&](const std::string& text, int64_t code) {
            if (code >= 0) {
                if (code > 0xFFFF) fail("#" + std::to_string(code) + " is not a UTF-16 code unit");
                out += char16_t(code);
                return;
            }
            std::u16string units;
            if (!Utf8ToUtf16(text, units)) fail("invalid UTF-8 in a string");
            out += units;
        });
        return out;
    }

    std::vector<std::string> set() {
        ++i_;
        std::vector<std::string> members;
        skip();
        if (peek() == ']') {
            ++i_;
            return members;
        }
        for (;;) {
            skip();
            members.push_back(ident("a set member"));
            skip();
            if (peek() == ']') break;
            if (peek() != ',') fail("expected ',' or ']' in a set");
            ++i_;
        }
        ++i_;
        return members;
    }

    std::vector<uint8_t> binary() {
        ++i_;
        skip();
        if (keywordAhead("file")) return fileReference();
        std::vector<uint8_t> bytes;
        int high = -1;
        for (;;) {
            skip();
            if (!more()) fail("binary value has no '}'");
            if (peek() == '}') break;
            int d = hexDigit(s_[i_]);
            if (d < 0) fail("bad hex digit '" + std::string(1, s_[i_]) + "' in a binary value");
            ++i_;
            if (high < 0) {
                high = d;
            } else {
                bytes.push_back(uint8_t(high << 4 | d));
                high = -1;
            }
        }
        ++i_;
        if (high >= 0) fail("odd number of hex digits in a binary value");
        return bytes;
    }

    std::vector<uint8_t> fileReference() {
        ident("");
        skipInline();
        if (peek() != '"') fail("expected a quoted path after 'file'");
        ++i_;
        size_t start = i_;
        while (more() && peek() != '"' && peek() != '\n')
            ++i_;
        if (peek() != '"') fail("unterminated path");
        std::string path = s_.substr(start, i_ - start);
        ++i_;
        skip();
        if (peek() != '}') fail("expected '}' after the path");
        ++i_;
        std::vector<uint8_t> bytes;
        if (!o_.loadFile) fail("file references are resolved by the form compiler only: " + path);
        if (!o_.loadFile(path, bytes)) fail("cannot read file '" + path + "'");
        return bytes;
    }

    std::vector<TFormItem> collection(int depth) {
        if (depth > kMaxFormDepth) fail("collections nest deeper than " + std::to_string(kMaxFormDepth));
        ++i_;
        std::vector<TFormItem> items;
        for (;;) {
            skip();
            if (peek() == '>') {
                ++i_;
                return items;
            }
            TFormItem item;
            item.line = line_;
            if (!identStart(peek()) || !SameText(ident("'item' or '>'"), "item"))
                fail("expected 'item' or '>'");
            for (;;) {
                skip();
                if (!more()) failAt(item.line, "collection item has no 'end'");
                if (keywordAhead("end")) {
                    ident("");
                    break;
                }
                item.props.push_back(prop(depth));
            }
            items.push_back(std::move(item));
        }
    }

    const std::string& s_;
    const TFormTextOptions& o_;
    size_t i_ = 0;
    int line_ = 1;
};

class Writer {
  public:
    explicit Writer(const TAnsiCodec* codec) : codec_(codec) {}
    std::string out;

    void node(const TFormNode& n, int indent) {
        pad(indent);
        out += "object ";
        if (!n.name.empty()) out += checked(n.name, "component name") + ": ";
        out += checked(n.className, "class name") + "\n";
        for (const TFormProp& p : n.props)
            prop(p, indent + 2);
        for (const TFormNode& c : n.children)
            node(c, indent + 2);
        pad(indent);
        out += "end\n";
    }

  private:
    void pad(int indent) { out.append(size_t(indent), ' '); }

    static const std::string& checked(const std::string& name, const char* what) {
        if (!IsFormIdent(name))
            throw Exception(std::string("Cannot write the ") + what + " '" + name + "' as text");
        return name;
    }

    void prop(const TFormProp& p, int indent) {
        pad(indent);
        size_t start = 0;
        for (size_t dot; (dot = p.name.find('.', start)) != std::string::npos; start = dot + 1)
            checked(p.name.substr(start, dot - start), "property name");
        checked(p.name.substr(start), "property name");
        out += p.name + " = ";
        value(p.value, indent);
        out += "\n";
    }

    void value(const TFormValue& v, int indent) {
        switch (v.kind) {
        case TFormValueKind::Integer: out += std::to_string(v.integer); break;
        case TFormValueKind::False: out += "False"; break;
        case TFormValueKind::True: out += "True"; break;
        case TFormValueKind::Ident: out += checked(v.text, "identifier"); break;
        case TFormValueKind::String: ansi(v.text); break;
        case TFormValueKind::WString:
            out += "W";
            wide(v.wide);
            break;
        case TFormValueKind::Set:
            out += "[";
            for (size_t i = 0; i < v.members.size(); ++i)
                out += (i ? "," : "") + checked(v.members[i], "set member");
            out += "]";
            break;
        case TFormValueKind::Binary: binary(v.bytes, indent); break;
        case TFormValueKind::Collection: collection(v.items, indent); break;
        }
    }

    void binary(const std::vector<uint8_t>& bytes, int indent) {
        static const char kHex[] = "0123456789ABCDEF";
        out += "{";
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (i % 32 == 0) {
                out += "\n";
                pad(indent + 2);
            }
            out += kHex[bytes[i] >> 4];
            out += kHex[bytes[i] & 15];
        }
        out += "}";
    }

    void collection(const std::vector<TFormItem>& items, int indent) {
        out += "<";
        for (const TFormItem& item : items) {
            out += "\n";
            pad(indent + 2);
            out += "item\n";
            for (const TFormProp& p : item.props)
                prop(p, indent + 4);
            pad(indent + 2);
            out += "end";
        }
        out += ">";
    }

    // Quoted runs of printable text, #n for everything else; an empty string is ''.
    class Literal {
      public:
        explicit Literal(std::string& out) : out_(out), start_(out.size()) {}
        void text(const std::string& utf8) {
            if (!open_) out_ += '\'';
            open_ = true;
            for (char c : utf8) {
                out_ += c;
                if (c == '\'') out_ += '\'';
            }
        }
        void code(unsigned n) {
            close();
            out_ += "#" + std::to_string(n);
        }
        void finish() {
            close();
            if (out_.size() == start_) out_ += "''";
        }

      private:
        void close() {
            if (open_) out_ += '\'';
            open_ = false;
        }
        std::string& out_;
        size_t start_;
        bool open_ = false;
    };

    // A code-page character is shown as text only when it reads back to the very same bytes.
    bool showable(const std::string& chunk, std::string& utf8) const {
        std::string back;
        if (!codec_ || !codec_->ToUtf8(chunk, utf8) || !codec_->FromUtf8(utf8, back) || back != chunk)
            return false;
        size_t pos = 0;
        char32_t cp;
        return NextUtf8(utf8, pos, cp) && pos == utf8.size() && cp >= 0xA0;
    }

    void ansi(const std::string& bytes) {
        Literal lit(out);
        for (size_t i = 0; i < bytes.size();) {
            auto c = static_cast<unsigned char>(bytes[i]);
            if (c >= 0x20 && c < 0x7F) {
                lit.text(std::string(1, char(c)));
                ++i;
                continue;
            }
            size_t len = 0;
            std::string utf8;
            if (c >= 0x80) {
                if (i + 2 <= bytes.size() && showable(bytes.substr(i, 2), utf8))
                    len = 2;
                else if (showable(bytes.substr(i, 1), utf8))
                    len = 1;
            }
            if (len) {
                lit.text(utf8);
                i += len;
            } else {
                lit.code(c);
                ++i;
            }
        }
        lit.finish();
    }

    void wide(const std::u16string& units) {
        Literal lit(out);
        for (size_t i = 0; i < units.size(); ++i) {
            char32_t cp = units[i];
            bool pair = cp >= 0xD800 && cp <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
                        units[i + 1] <= 0xDFFF;
            if (pair) {
                std::string utf8;
                AppendUtf8(utf8, 0x10000 + ((cp - 0xD800) << 10) + (units[++i] - 0xDC00));
                lit.text(utf8);
            } else if ((cp >= 0x20 && cp < 0x7F) || (cp >= 0xA0 && (cp < 0xD800 || cp > 0xDFFF))) {
                std::string utf8;
                AppendUtf8(utf8, cp);
                lit.text(utf8);
            } else {
                lit.code(unsigned(cp));
            }
        }
        lit.finish();
    }

    const TAnsiCodec* codec_;
};

} // namespace

bool IsFormIdent(const std::string& s) {
    if (s.empty() || !identStart(s[0])) return false;
    for (char c : s)
        if (!identChar(c)) return false;
    return true;
}

TFormNode ParseFormText(const std::string& text, const TFormTextOptions& options) {
    return Parser(text, options).form();
}

std::string FormTreeToText(const TFormNode& root, const TAnsiCodec* codec) {
    Writer w(codec);
    w.node(root, 0);
    return std::move(w.out);
}
