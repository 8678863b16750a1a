// Encoding and decoding of the binary form resource. The decoder trusts nothing: every length is
// checked against what is left before anything is allocated, so hostile bytes cost at most their
// own size and end in EReadError.
#include "toolkit/resource/binary_format.h"

#include <cstring>
#include <string>

#include "toolkit/core/object.h"

namespace {

constexpr char kSignature[4] = {'Q', 'S', 'F', 'R'};
constexpr uint16_t kVersion = 1;

enum Tag : uint8_t {
    tagInt8 = 1,
    tagInt16,
    tagInt32,
    tagInt64,
    tagFalse,
    tagTrue,
    tagIdent,
    tagString,
    tagWString,
    tagSet,
    tagBinary,
    tagCollection,
};

class Encoder {
  public:
    std::vector<uint8_t> out;

    void node(const TFormNode& n, int depth) {
        if (depth > kMaxFormDepth)
            throw Exception("Form resource nests deeper than " + std::to_string(kMaxFormDepth));
        if (n.className.empty()) throw Exception("Form resource component without a class name");
        name8(n.className, "class name");
        name8(n.name, "component name");
        props(n.props, depth);
        for (const TFormNode& c : n.children)
            node(c, depth + 1);
        u8(0);
    }

  private:
    void u8(uint8_t v) { out.push_back(v); }
    void le(uint64_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.push_back(uint8_t(v >> (8 * i)));
    }
    void name8(const std::string& s, const char* what) {
        if (s.size() > 255)
            throw Exception(std::string("Form resource ") + what + " longer than 255 bytes: " + s);
        u8(uint8_t(s.size()));
        out.insert(out.end(), s.begin(), s.end());
    }
    void nonEmpty8(const std::string& s, const char* what) {
        if (s.empty()) throw Exception(std::string("Form resource with an empty ") + what);
        name8(s, what);
    }
    void length32(size_t n) {
        if (n > 0x7FFFFFFF) throw Exception("Form resource value too large");
        le(n, 4);
    }

    void props(const std::vector<TFormProp>& list, int depth) {
        for (const TFormProp& p : list) {
            nonEmpty8(p.name, "property name");
            value(p.value, depth);
        }
        u8(0);
    }

    void value(const TFormValue& v, int depth) {
        switch (v.kind) {
        case TFormValueKind::Integer: integer(v.integer); break;
        case TFormValueKind::False: u8(tagFalse); break;
        case TFormValueKind::True: u8(tagTrue); break;
        case TFormValueKind::Ident:
            u8(tagIdent);
            nonEmpty8(v.text, "identifier");
            break;
        case TFormValueKind::String:
            u8(tagString);
            length32(v.text.size());
            out.insert(out.end(), v.text.begin(), v.text.end());
            break;
        case TFormValueKind::WString:
            u8(tagWString);
            length32(v.wide.size());
            for (char16_t c : v.wide)
                le(c, 2);
            break;
        case TFormValueKind::Set:
            u8(tagSet);
            for (const std::string& m : v.members)
                nonEmpty8(m, "set member");
            u8(0);
            break;
        case TFormValueKind::Binary:
            u8(tagBinary);
            length32(v.bytes.size());
            out.insert(out.end(), v.bytes.begin(), v.bytes.end());
            break;
        case TFormValueKind::Collection:
            if (depth >= kMaxFormDepth)
                throw Exception("Form resource nests deeper than " + std::to_string(kMaxFormDepth));
            u8(tagCollection);
            for (const TFormItem& item : v.items) {
                u8(1);
                props(item.props, depth + 1);
            }
            u8(0);
            break;
        }
    }

    // The smallest width that holds the value keeps resources compact.
    void integer(int64_t v) {
        if (v >= INT8_MIN && v <= INT8_MAX) {
            u8(tagInt8);
            le(uint64_t(v), 1);
        } else if (v >= INT16_MIN && v <= INT16_MAX) {
            u8(tagInt16);
            le(uint64_t(v), 2);
        } else if (v >= INT32_MIN && v <= INT32_MAX) {
            u8(tagInt32);
            le(uint64_t(v), 4);
        } else {
            u8(tagInt64);
            le(uint64_t(v), 8);
        }
    }
};

class Decoder {
  public:
    Decoder(const uint8_t* data, size_t size) : p_(data), n_(size) {}

    TFormNode resource() {
        need(sizeof kSignature + 2);
        if (std::memcmp(p_, kSignature, sizeof kSignature) != 0) fail("not a form resource (bad signature)");
        pos_ = sizeof kSignature;
        uint16_t version = uint16_t(le(2));
        if (version != kVersion) fail("unsupported version " + std::to_string(version));
        TFormNode root;
        uint8_t len = u8();
        if (len == 0) fail("component without a class name");
        node(root, len, 0);
        if (pos_ != n_) fail("data after the end of the form");
        return root;
    }

  private:
    [[noreturn]] void fail(const std::string& what) const {
        throw EReadError("Invalid form resource at offset " + std::to_string(pos_) + ": " + what);
    }
    void need(size_t k) const {
        if (n_ - pos_ < k) fail("unexpected end of data");
    }
    uint8_t u8() {
        need(1);
        return p_[pos_++];
    }
    uint64_t le(int bytes) {
        need(size_t(bytes));
        uint64_t v = 0;
        for (int i = 0; i < bytes; ++i)
            v |= uint64_t(p_[pos_ + size_t(i)]) << (8 * i);
        pos_ += size_t(bytes);
        return v;
    }
    std::string chars(size_t len) {
        need(len);
        std::string s(reinterpret_cast<const char*>(p_ + pos_), len);
        pos_ += len;
        return s;
    }
    std::string name8() { return chars(u8()); }
    std::string nonEmpty8(const char* what) {
        uint8_t len = u8();
        if (len == 0) fail(std::string("empty ") + what);
        return chars(len);
    }
    size_t length32() {
        uint64_t n = le(4);
        if (n > 0x7FFFFFFF) fail("negative length");
        return size_t(n);
    }

    // The class name's length byte has been read by the caller (it doubles as the list end).
    void node(TFormNode& n, uint8_t classLen, int depth) {
        if (depth > kMaxFormDepth) fail("components nest deeper than " + std::to_string(kMaxFormDepth));
        n.className = chars(classLen);
        n.name = name8();
        props(n.props, depth);
        for (uint8_t len = u8(); len != 0; len = u8()) {
            n.children.emplace_back();
            node(n.children.back(), len, depth + 1);
        }
    }

    void props(std::vector<TFormProp>& list, int depth) {
        for (uint8_t len = u8(); len != 0; len = u8()) {
            TFormProp p;
            p.name = chars(len);
            value(p.value, depth);
            list.push_back(std::move(p));
        }
    }

    void value(TFormValue& v, int depth) {
        uint8_t tag = u8();
        switch (tag) {
        case tagInt8: v.integer = int8_t(le(1)); break;
        case tagInt16: v.integer = int16_t(le(2)); break;
        case tagInt32: v.integer = int32_t(le(4)); break;
        case tagInt64: v.integer = int64_t(le(8)); break;
        case tagFalse: v.kind = TFormValueKind::False; break;
        case tagTrue: v.kind = TFormValueKind::True; break;
        case tagIdent:
            v.kind = TFormValueKind::Ident;
            v.text = nonEmpty8("identifier");
            break;
        case tagString:
            v.kind = TFormValueKind::String;
            v.text = chars(length32());
            break;
        case tagWString: {
            v.kind = TFormValueKind::WString;
            size_t count = length32();
            need(count * 2);
            v.wide.resize(count);
            for (char16_t& c : v.wide)
                c = char16_t(le(2));
            break;
        }
        case tagSet:
            v.kind = TFormValueKind::Set;
            for (uint8_t len = u8(); len != 0; len = u8())
                v.members.push_back(chars(len));
            break;
        case tagBinary: {
            v.kind = TFormValueKind::Binary;
            size_t count = length32();
            need(count);
            v.bytes.assign(p_ + pos_, p_ + pos_ + count);
            pos_ += count;
            break;
        }
        case tagCollection:
            v.kind = TFormValueKind::Collection;
            if (depth >= kMaxFormDepth) fail("collections nest deeper than " + std::to_string(kMaxFormDepth));
            for (uint8_t mark = u8(); mark != 0; mark = u8()) {
                if (mark != 1) fail("bad collection item marker " + std::to_string(mark));
                v.items.emplace_back();
                props(v.items.back().props, depth + 1);
            }
            break;
        default: --pos_; fail("unknown value tag " + std::to_string(tag));
        }
    }

    const uint8_t* p_;
    size_t n_;
    size_t pos_ = 0;
};

} // namespace

std::vector<uint8_t> EncodeFormResource(const TFormNode& root) {
    Encoder e;
    e.out.assign(kSignature, kSignature + sizeof kSignature);
    e.out.push_back(uint8_t(kVersion));
    e.out.push_back(uint8_t(kVersion >> 8));
    e.node(root, 0);
    return std::move(e.out);
}

TFormNode DecodeFormResource(const uint8_t* data, size_t size) {
    if (!data) size = 0;
    return Decoder(data, size).resource();
}
