// Property access by name.
#include "toolkit/core/prop_access.h"

#include <cctype>

namespace {

const TPropInfo* findProp(const TObject* obj, const std::string& name) {
    return obj ? obj->ClassType().FindProp(name) : nullptr;
}

bool isOrdinal(TTypeKind k) {
    return k == TTypeKind::Integer || k == TTypeKind::Boolean || k == TTypeKind::Enumeration ||
           k == TTypeKind::Set;
}

std::string trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

} // namespace

bool TextToInt(const std::string& text, int64_t& value) {
    std::string s = trim(text);
    bool neg = false;
    size_t i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) neg = s[i++] == '-';
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= s.size()) return false;
    uint64_t v = 0;
    for (; i < s.size(); ++i) {
        int d;
        char c = s[i];
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        v = v * uint64_t(base) + uint64_t(d);
        if (v > 0xFFFFFFFFFFFFull) return false;
    }
    value = neg ? -int64_t(v) : int64_t(v);
    return true;
}

std::string SetToText(const TEnumInfo& element, uint64_t mask) {
    std::string out = "[";
    for (size_t i = 0; i < element.members.size() && i < 64; ++i)
        if (mask & (uint64_t(1) << i)) {
            if (out.size() > 1) out += ",";
            out += element.members[i];
        }
    return out + "]";
}

bool TextToSet(const TEnumInfo& element, const std::string& text, uint64_t& mask) {
    std::string s = trim(text);
    if (s.size() < 2 || s.front() != '[' || s.back() != ']') return false;
    uint64_t m = 0;
    std::string body = s.substr(1, s.size() - 2);
    size_t start = 0;
    while (start <= body.size()) {
        size_t comma = body.find(',', start);
        std::string item =
            trim(body.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (!item.empty()) {
            int ord = element.Find(item);
            if (ord < 0 || ord >= 64) return false;
            m |= uint64_t(1) << ord;
        } else if (comma != std::string::npos) {
            return false;
        }
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    mask = m;
    return true;
}

const TPropInfo* FindPropPath(TObject*& obj, const std::string& path) {
    size_t dot = path.find('.');
    const TPropInfo* p = findProp(obj, path.substr(0, dot));
    while (p && dot != std::string::npos) {
        if (p->kind != TTypeKind::Object || !p->getObj) return nullptr;
        obj = p->getObj(obj);
        size_t next = path.find('.', dot + 1);
        p = findProp(obj,
                     path.substr(dot + 1, next == std::string::npos ? std::string::npos : next - dot - 1));
        dot = next;
    }
    return p;
}

int64_t GetIntProp(const TObject* obj, const std::string& name) {
    const TPropInfo* p = findProp(obj, name);
    return p && isOrdinal(p->kind) && p->getOrd ? p->getOrd(obj) : -1;
}

std::string GetEnumPropName(const TObject* obj, const std::string& name) {
    const TPropInfo* p = findProp(obj, name);
    if (!p || !p->getOrd) return {};
    int64_t v = p->getOrd(obj);
    if (p->kind == TTypeKind::Boolean) return v ? "True" : "False";
    if (p->kind != TTypeKind::Enumeration || !p->enumType) return {};
    if (v < 0 || v >= int64_t(p->enumType->members.size())) return {};
    return p->enumType->members[size_t(v)];
}

std::string GetStrProp(const TObject* obj, const std::string& name) {
    const TPropInfo* p = findProp(obj, name);
    if (!p) return {};
    if (p->kind == TTypeKind::String && p->getStr) return p->getStr(obj);
    return {};
}

std::string GetSetPropText(const TObject* obj, const std::string& name) {
    const TPropInfo* p = findProp(obj, name);
    if (!p || p->kind != TTypeKind::Set || !p->getOrd || !p->enumType) return {};
    return SetToText(*p->enumType, uint64_t(p->getOrd(obj)));
}

std::wstring GetWideStrProp(const TObject* obj, const std::string& name,
                            std::wstring (*ansiToWide)(const std::string&)) {
    const TPropInfo* p = findProp(obj, name);
    if (!p) return {};
    if (p->kind == TTypeKind::WideString && p->getWStr) return p->getWStr(obj);
    if (p->kind != TTypeKind::String || !p->getStr) return {};
    std::string s = p->getStr(obj);
    if (ansiToWide) return ansiToWide(s);
    std::wstring w;
    for (unsigned char c : s)
        w += wchar_t(c);
    return w;
}

TObject* GetObjectProp(const TObject* obj, const std::string& name) {
    const TPropInfo* p = findProp(obj, name);
    return p && p->kind == TTypeKind::Object && p->getObj ? p->getObj(obj) : nullptr;
}

bool SetOrdProp(TObject* obj, const std::string& name, int64_t value) {
    const TPropInfo* p = findProp(obj, name);
    if (!p || !isOrdinal(p->kind) || !p->setOrd) return false;
    p->setOrd(obj, value);
    return true;
}

bool SetObjectProp(TObject* obj, const std::string& name, TObject* value) {
    const TPropInfo* p = findProp(obj, name);
    if (!p || p->kind != TTypeKind::Object || !p->setObj) return false;
    p->setObj(obj, value);
    return true;
}

void SetPropFromText(TObject* obj, const std::string& name, const std::string& text) {
    const TPropInfo* p = findProp(obj, name);
    if (!p) return;
    switch (p->kind) {
    case TTypeKind::Integer: {
        int64_t v;
        int32_t ident;
        if (TextToInt(text, v)) {
            if (p->setOrd) p->setOrd(obj, v);
        } else if (p->idents && p->idents->ValueOf(trim(text), ident) && p->setOrd) {
            p->setOrd(obj, ident);
        }
        break;
    }
    case TTypeKind::Boolean:
        if (p->setOrd) {
            std::string t = trim(text);
            if (SameText(t, "True")) p->setOrd(obj, 1);
            if (SameText(t, "False")) p->setOrd(obj, 0);
        }
        break;
    case TTypeKind::Enumeration:
        if (p->setOrd && p->enumType) {
            int ord = p->enumType->Find(trim(text));
            if (ord >= 0) p->setOrd(obj, ord);
        }
        break;
    case TTypeKind::Set: {
        uint64_t mask = 0;
        if (p->setOrd && p->enumType && TextToSet(*p->enumType, text, mask)) p->setOrd(obj, int64_t(mask));
        break;
    }
    case TTypeKind::String:
        if (p->setStr) p->setStr(obj, text);
        break;
    default: break;
    }
}
