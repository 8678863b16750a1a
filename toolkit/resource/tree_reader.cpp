// Reading a form tree into components.
#include <utility>
#include <vector>

#include "toolkit/core/collection.h"
#include "toolkit/resource/binary_format.h"
#include "toolkit/resource/component_tree.h"
#include "toolkit/resource/unicode_text.h"

namespace {

const char* kindName(TTypeKind k) {
    switch (k) {
    case TTypeKind::Integer: return "an integer";
    case TTypeKind::Boolean: return "a boolean";
    case TTypeKind::Enumeration: return "an enumeration";
    case TTypeKind::Set: return "a set";
    case TTypeKind::String: return "a string";
    case TTypeKind::WideString: return "a wide string";
    case TTypeKind::Object: return "an object";
    case TTypeKind::Event: return "an event";
    }
    return "a";
}

const char* valueName(TFormValueKind k) {
    switch (k) {
    case TFormValueKind::Integer: return "an integer";
    case TFormValueKind::False:
    case TFormValueKind::True: return "a boolean";
    case TFormValueKind::Ident: return "an identifier";
    case TFormValueKind::String: return "a string";
    case TFormValueKind::WString: return "a wide string";
    case TFormValueKind::Set: return "a set";
    case TFormValueKind::Binary: return "binary data";
    case TFormValueKind::Collection: return "a collection";
    }
    return "a value";
}

bool isAscii(const std::string& s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}
bool isAscii(const std::u16string& s) {
    for (char16_t c : s)
        if (c >= 0x80) return false;
    return true;
}

// How to find an object again from its component: sub-object properties and collection items.
// References are resolved at the end by walking this again, because a later property may have
// replaced the object a reference was read into.
struct Step {
    std::string prop;
    int index = -1; // >= 0: that item of the collection `prop`
};

struct Fixup {
    TComponent* component;
    std::vector<Step> steps;
    const TPropInfo* prop;
    std::string target;
    std::string context;
    int line;
};

class TreeReader {
  public:
    TreeReader(TComponent* root, const TResourceNesting& nesting, const std::string& source)
        : root_(root), nesting_(nesting), source_(source) {}

    void Read(const TFormNode& tree) {
        if (!root_) throw EReadError("No component to read the form into");
        if (!root_->InheritsFrom(tree.className))
            fail(tree.line, {},
                 "the resource describes a " + tree.className + ", not a " + root_->ClassName());
        loaded_.push_back(root_);
        root_->SetStateFlag(csLoading, true);
        try {
            nameRoot(tree);
            readComponent(root_, tree, rootPath_, 0);
            resolveFixups();
        } catch (...) {
            for (auto it = created_.rbegin(); it != created_.rend(); ++it)
                delete *it;
            root_->SetStateFlag(csReading, false);
            root_->SetStateFlag(csLoading, false);
            throw;
        }
        for (TComponent* c : loaded_) {
            c->Loaded();
            c->SetStateFlag(csLoading, false); // also when an override forgets to call up
        }
    }

  private:
    std::string message(int line, const std::string& context, const std::string& what) const {
        std::string m = context.empty() ? what : context + ": " + what;
        if (line <= 0) return m;
        std::string at = std::to_string(line);
        return (source_.empty() ? "line " + at : source_ + ":" + at) + ": " + m;
    }
    [[noreturn]] void fail(int line, const std::string& context, const std::string& what) const {
        throw EReadError(message(line, context, what));
    }
    // Runs code of the classes being read; what it raises gets the place it happened.
    template <class F>
    void guard(int line, const std::string& context, const std::string& doing, F&& f) const {
        try {
            f();
        } catch (const EClassNotFound& e) {
            throw EClassNotFound(message(line, context, doing + ": " + e.what()));
        } catch (const std::exception& e) {
            fail(line, context, doing + ": " + e.what());
        }
    }

    void nameRoot(const TFormNode& tree) {
        rootPath_ = tree.name.empty() ? root_->ClassName() : tree.name;
        if (tree.name.empty()) return;
        // A second live instance of a form gets Name_1, Name_2 ... as its owner needs unique names.
        std::string unique = tree.name;
        if (const TComponent* owner = root_->Owner())
            for (int i = 1; owner->FindComponent(unique) && owner->FindComponent(unique) != root_; ++i)
                unique = tree.name + "_" + std::to_string(i);
        guard(tree.line, rootPath_, "cannot set the name", [&] { root_->SetName(unique); });
    }

    void readComponent(TComponent* c, const TFormNode& n, const std::string& path, int depth) {
        if (depth > kMaxFormDepth) fail(n.line, path, "components nest too deep");
        c->SetStateFlag(csReading, true);
        readProps(c, c, {}, n.props, path, depth);
        c->SetStateFlag(csReading, false);
        for (const TFormNode& child : n.children)
            createChild(c, child, depth + 1);
    }

    void createChild(TComponent* parent, const TFormNode& n, int depth) {
        std::string path = rootPath_ + "." + (n.name.empty() ? "<" + n.className + ">" : n.name);
        const TClassInfo* cls = FindClassInfo(n.className);
        if (!cls) throw EClassNotFound(message(n.line, path, "class " + n.className + " is not registered"));
        if (!cls->create)
            throw EClassNotFound(
                message(n.line, path, "class " + n.className + " cannot be created by name"));
        TComponent* child = nullptr;
        guard(n.line, path, "cannot create a " + n.className, [&] { child = cls->create(root_); });
        if (!child) fail(n.line, path, "cannot create a " + n.className);
        created_.push_back(child);
        loaded_.push_back(child);
        child->SetStateFlag(csLoading, true);
        // References name the root and its components alike, so they must not share a name.
        if (!n.name.empty() && SameText(n.name, root_->Name()))
            fail(n.line, path, "a component cannot have the form's own name");
        guard(n.line, path, "cannot set the name", [&] { child->SetName(n.name); });
        if (nesting_.adopt)
            guard(n.line, path, "cannot place it in " + parent->Name(),
                  [&] { nesting_.adopt(child, parent); });
        readComponent(child, n, path, depth);
    }

    void readProps(TComponent* owner, TObject* obj, const std::vector<Step>& steps,
                   const std::vector<TFormProp>& props, const std::string& path, int depth) {
        for (const TFormProp& p : props)
            readProp(owner, obj, steps, p, path, depth);
    }

    void readProp(TComponent* owner, TObject* obj, std::vector<Step> steps, const TFormProp& p,
                  const std::string& path, int depth) {
        std::string context = path + "." + p.name;
        TObject* target = obj;
        size_t start = 0;
        for (size_t dot; (dot = p.name.find('.', start)) != std::string::npos; start = dot + 1) {
            std::string segment = p.name.substr(start, dot - start);
            const TPropInfo* sub = target->ClassType().FindProp(segment);
            if (!sub) fail(p.line, context, target->ClassName() + " has no property '" + segment + "'");
            if (sub->kind != TTypeKind::Object || !sub->ownsObject || !sub->getObj)
                fail(p.line, context, "'" + segment + "' of " + target->ClassName() + " is not a sub-object");
            TObject* next = nullptr;
            guard(p.line, context, "cannot get " + segment, [&] { next = sub->getObj(target); });
            if (!next) fail(p.line, context, "'" + segment + "' of " + target->ClassName() + " is nil");
            target = next;
            steps.push_back({segment});
        }
        std::string last = p.name.substr(start);
        if (p.value.kind == TFormValueKind::Binary) {
            if (const TBinaryPropInfo* b = target->ClassType().FindBinaryProp(last)) {
                guard(p.line, context, "cannot read " + last, [&] { b->read(target, p.value.bytes); });
                return;
            }
        }
        const TPropInfo* info = target->ClassType().FindProp(last);
        if (!info) fail(p.line, context, target->ClassName() + " has no property '" + last + "'");
        setValue(owner, target, steps, *info, p, context, depth);
    }

    void setValue(TComponent* owner, TObject* target, std::vector<Step>& steps, const TPropInfo& info,
                  const TFormProp& p, const std::string& context, int depth) {
        const TFormValue& v = p.value;
        auto mismatch = [&] {
            fail(p.line, context,
                 std::string(kindName(info.kind)) + " property cannot take " + valueName(v.kind));
        };
        bool needsSetter = !(info.kind == TTypeKind::Object && v.kind == TFormValueKind::Collection);
        bool hasSetter = info.setOrd || info.setStr || info.setWStr || info.setObj || info.setEvent;
        if (needsSetter && (info.readOnly || !hasSetter))
            fail(p.line, context, "property " + info.name + " is read-only");
        auto setOrd = [&](int64_t value) {
            if (!info.setOrd) mismatch();
            guard(p.line, context, "cannot set " + info.name, [&] { info.setOrd(target, value); });
        };

        switch (info.kind) {
        case TTypeKind::Integer: {
            int32_t named;
            if (v.kind == TFormValueKind::Integer)
                setOrd(v.integer);
            else if (v.kind == TFormValueKind::Ident && info.idents && info.idents->ValueOf(v.text, named))
                setOrd(named);
            else if (v.kind == TFormValueKind::Ident)
                fail(p.line, context, "'" + v.text + "' is not a value of " + info.name);
            else
                mismatch();
            break;
        }
        case TTypeKind::Boolean:
            if (v.kind != TFormValueKind::True && v.kind != TFormValueKind::False) mismatch();
            setOrd(v.kind == TFormValueKind::True ? 1 : 0);
            break;
        case TTypeKind::Enumeration: {
            const auto& members = info.enumType->members;
            if (v.kind == TFormValueKind::Ident) {
                int ord = info.enumType->Find(v.text);
                if (ord < 0)
                    fail(p.line, context, "'" + v.text + "' is not a member of " + info.enumType->name);
                setOrd(ord);
            } else if (v.kind == TFormValueKind::Integer && v.integer >= 0 &&
                       v.integer < int64_t(members.size())) {
                setOrd(v.integer);
            } else {
                mismatch();
            }
            break;
        }
        case TTypeKind::Set: {
            if (v.kind != TFormValueKind::Set) mismatch();
            int bits = info.setBytes >= 8 ? 64 : info.setBytes * 8;
            uint64_t mask = 0;
            for (const std::string& m : v.members) {
                int ord = info.enumType->Find(m);
                if (ord < 0 || ord >= bits)
                    fail(p.line, context, "'" + m + "' is not a member of " + info.enumType->name);
                mask |= uint64_t(1) << ord;
            }
            setOrd(int64_t(mask));
            break;
        }
        case TTypeKind::String:
            if (!info.setStr) mismatch();
            if (v.kind == TFormValueKind::String)
                guard(p.line, context, "cannot set " + info.name, [&] { info.setStr(target, v.text); });
            else if (v.kind == TFormValueKind::WString && isAscii(v.wide))
                guard(p.line, context, "cannot set " + info.name,
                      [&] { info.setStr(target, std::string(v.wide.begin(), v.wide.end())); });
            else
                mismatch();
            break;
        case TTypeKind::WideString:
            if (!info.setWStr) mismatch();
            if (v.kind == TFormValueKind::WString)
                guard(p.line, context, "cannot set " + info.name,
                      [&] { info.setWStr(target, Utf16ToWide(v.wide)); });
            else if (v.kind == TFormValueKind::String && isAscii(v.text))
                guard(p.line, context, "cannot set " + info.name,
                      [&] { info.setWStr(target, std::wstring(v.text.begin(), v.text.end())); });
            else
                mismatch();
            break;
        case TTypeKind::Object: setObject(owner, target, steps, info, p, context, depth); break;
        case TTypeKind::Event: bindEvent(target, info, p, context); break;
        }
    }

    void setObject(TComponent* owner, TObject* target, std::vector<Step>& steps, const TPropInfo& info,
                   const TFormProp& p, const std::string& context, int depth) {
        const TFormValue& v = p.value;
        if (v.kind == TFormValueKind::Collection) {
            TCollection* coll = nullptr;
            if (info.getObj)
                guard(p.line, context, "cannot get " + info.name,
                      [&] { coll = dynamic_cast<TCollection*>(info.getObj(target)); });
            if (!coll) fail(p.line, context, info.name + " is not a collection");
            steps.push_back({info.name});
            readCollection(owner, coll, steps, v.items, p, context, depth);
            return;
        }
        if (v.kind != TFormValueKind::Ident || info.ownsObject || !info.setObj)
            fail(p.line, context, "property " + info.name + " cannot take " + valueName(v.kind));
        if (SameText(v.text, "nil")) {
            guard(p.line, context, "cannot set " + info.name, [&] { info.setObj(target, nullptr); });
            return;
        }
        fixups_.push_back({owner, steps, &info, v.text, context, p.line});
    }

    void readCollection(TComponent* owner, TCollection* coll, std::vector<Step>& steps,
                        const std::vector<TFormItem>& items, const TFormProp& p, const std::string& context,
                        int depth) {
        if (depth + 1 > kMaxFormDepth) fail(p.line, context, "collections nest too deep");
        guard(p.line, context, "cannot clear " + p.name, [&] { coll->Clear(); });
        for (size_t i = 0; i < items.size(); ++i) {
            std::string itemPath = context + "[" + std::to_string(i) + "]";
            TCollectionItem* item = nullptr;
            guard(items[i].line ? items[i].line : p.line, itemPath, "cannot add an item",
                  [&] { item = coll->Add(); });
            if (!item) fail(p.line, itemPath, "cannot add an item");
            steps.back().index = int(i);
            readProps(owner, item, steps, items[i].props, itemPath, depth + 1);
        }
    }

    void bindEvent(TObject* target, const TPropInfo& info, const TFormProp& p, const std::string& context) {
        const TFormValue& v = p.value;
        if (v.kind != TFormValueKind::Ident || !info.setEvent)
            fail(p.line, context, "an event takes a method name");
        if (SameText(v.text, "nil")) {
            guard(p.line, context, "cannot clear " + info.name,
                  [&] { info.setEvent(target, std::string(), std::any()); });
            return;
        }
        const TMethodInfo* m = root_->ClassType().FindMethod(v.text);
        if (!m) fail(p.line, context, root_->ClassName() + " has no published method '" + v.text + "'");
        if (m->signature != info.eventSignature)
            fail(p.line, context, "method " + m->name + " does not have the signature of " + info.name);
        guard(p.line, context, "cannot bind " + m->name,
              [&] { info.setEvent(target, m->name, m->bind(root_)); });
    }

    TObject* locate(TComponent* c, const std::vector<Step>& steps) const {
        TObject* obj = c;
        for (const Step& s : steps) {
            const TPropInfo* p = obj->ClassType().FindProp(s.prop);
            if (!p || !p->getObj || !(obj = p->getObj(obj))) return nullptr;
            if (s.index >= 0) {
                auto* coll = dynamic_cast<TCollection*>(obj);
                if (!coll || s.index >= coll->Count()) return nullptr;
                obj = coll->Item(s.index);
            }
        }
        return obj;
    }

    void resolveFixups() {
        // A Name property read late may have given a component the root's name.
        for (TComponent* c : created_)
            if (!c->Name().empty() && SameText(c->Name(), root_->Name()))
                fail(0, rootPath_ + "." + c->Name(), "a component cannot have the form's own name");
        for (const Fixup& f : fixups_) {
            TComponent* target = SameText(f.target, root_->Name()) ? root_ : root_->FindComponent(f.target);
            if (!target) fail(f.line, f.context, "there is no component named " + f.target);
            if (f.prop->objectClass && !target->ClassType().InheritsFrom(f.prop->objectClass()))
                fail(f.line, f.context,
                     f.target + " is a " + target->ClassName() + ", not a " + f.prop->objectClass().name);
            TObject* obj = nullptr;
            guard(f.line, f.context, "cannot find the object again",
                  [&] { obj = locate(f.component, f.steps); });
            if (!obj || obj->ClassType().FindProp(f.prop->name) != f.prop)
                fail(f.line, f.context, "the object was replaced before " + f.target + " could be assigned");
            guard(f.line, f.context, "cannot set " + f.prop->name, [&] { f.prop->setObj(obj, target); });
        }
    }

    TComponent* root_;
    const TResourceNesting& nesting_;
    std::string source_;
    std::string rootPath_;
    std::vector<TComponent*> created_;
    std::vector<TComponent*> loaded_;
    std::vector<Fixup> fixups_;
};

} // namespace

void ReadComponentTree(TComponent* root, const TFormNode& tree, const TResourceNesting& nesting,
                       const std::string& sourceName) {
    TreeReader(root, nesting, sourceName).Read(tree);
}
