// Run-time class information and the class registry.
#include "toolkit/core/object.h"

#include <algorithm>
#include <map>

#include "toolkit/core/class_builder.h"

bool SameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = char(x + 32);
        if (y >= 'A' && y <= 'Z') y = char(y + 32);
        if (x != y) return false;
    }
    return true;
}

std::string LowerCase(const std::string& s) {
    std::string r = s;
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = char(c + 32);
    return r;
}

std::string UpperCase(const std::string& s) {
    std::string r = s;
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = char(c - 32);
    return r;
}

int TEnumInfo::Find(const std::string& member) const {
    for (size_t i = 0; i < members.size(); ++i)
        if (SameText(members[i], member)) return int(i);
    return -1;
}

const std::string* TIdentMap::NameOf(int32_t value) const {
    for (const auto& [v, n] : entries)
        if (v == value) return &n;
    return nullptr;
}

bool TIdentMap::ValueOf(const std::string& name, int32_t& value) const {
    for (const auto& [v, n] : entries)
        if (SameText(n, name)) {
            value = v;
            return true;
        }
    return false;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c; c = c->parent)
        if (c == &other) return true;
    return false;
}

bool TClassInfo::InheritsFrom(const std::string& className) const {
    for (const TClassInfo* c = this; c; c = c->parent)
        if (SameText(c->name, className)) return true;
    return false;
}

const TPropInfo* TClassInfo::FindProp(const std::string& propName) const {
    for (const TClassInfo* c = this; c; c = c->parent)
        for (const TPropInfo& p : c->props)
            if (SameText(p.name, propName)) return &p;
    return nullptr;
}

const TBinaryPropInfo* TClassInfo::FindBinaryProp(const std::string& propName) const {
    for (const TClassInfo* c = this; c; c = c->parent)
        for (const TBinaryPropInfo& p : c->binaryProps)
            if (SameText(p.name, propName)) return &p;
    return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(const std::string& methodName) const {
    for (const TClassInfo* c = this; c; c = c->parent)
        for (const TMethodInfo& m : c->methods)
            if (SameText(m.name, methodName)) return &m;
    return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::AllProps() const {
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* c = this; c; c = c->parent)
        chain.push_back(c);
    std::vector<const TPropInfo*> out;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        for (const TPropInfo& p : (*it)->props) {
            // A class may publish again what an ancestor published (a new default): keep the newest.
            auto same =
                std::find_if(out.begin(), out.end(), [&](auto* q) { return SameText(q->name, p.name); });
            if (same != out.end())
                *same = &p;
            else
                out.push_back(&p);
        }
    return out;
}

std::vector<const TBinaryPropInfo*> TClassInfo::AllBinaryProps() const {
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* c = this; c; c = c->parent)
        chain.push_back(c);
    std::vector<const TBinaryPropInfo*> out;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        for (const TBinaryPropInfo& p : (*it)->binaryProps)
            out.push_back(&p);
    return out;
}

namespace {
std::map<std::string, const TClassInfo*>& registry() {
    static std::map<std::string, const TClassInfo*> r;
    return r;
}
} // namespace

void RegisterClassInfo(const TClassInfo& info) {
    registry()[LowerCase(info.name)] = &info;
}

const TClassInfo* FindClassInfo(const std::string& className) {
    auto it = registry().find(LowerCase(className));
    return it == registry().end() ? nullptr : it->second;
}

const TClassInfo& TObject::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TObject>("TObject", nullptr).Build();
    return info;
}
