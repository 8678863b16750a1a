// Describing components as a form tree.
#include <map>

#include "toolkit/core/collection.h"
#include "toolkit/resource/binary_format.h"
#include "toolkit/resource/component_tree.h"
#include "toolkit/resource/unicode_text.h"

namespace {

TFormValue ordinalValue(const TPropInfo& p, int64_t v) {
    TFormValue out;
    switch (p.kind) {
    case TTypeKind::Boolean: out.kind = v ? TFormValueKind::True : TFormValueKind::False; break;
    case TTypeKind::Enumeration:
        if (v >= 0 && v < int64_t(p.enumType->members.size())) {
            out.kind = TFormValueKind::Ident;
            out.text = p.enumType->members[size_t(v)];
        } else {
            out.integer = v;
        }
        break;
    case TTypeKind::Set: {
        out.kind = TFormValueKind::Set;
        size_t bits = p.setBytes >= 8 ? 64 : size_t(p.setBytes) * 8;
        for (size_t i = 0; i < p.enumType->members.size() && i < bits; ++i)
            if (uint64_t(v) & (uint64_t(1) << i)) out.members.push_back(p.enumType->members[i]);
        break;
    }
    default:
        if (const std::string* name = p.idents ? p.idents->NameOf(int32_t(v)) : nullptr;
            name && int64_t(int32_t(v)) == v) {
            out.kind = TFormValueKind::Ident;
            out.text = *name;
        } else {
            out.integer = v;
        }
        break;
    }
    return out;
}

class TreeWriter {
  public:
    TreeWriter(const TComponent* root, const TResourceNesting& nesting) : root_(root), nesting_(nesting) {}

    TFormNode Write() {
        for (const TComponent* c : root_->Components())
            parent_[c] = effectiveParent(c);
        return node(root_);
    }

  private:
    // Nests only under the root's own components and never in a loop; anything else is top level.
    const TComponent* effectiveParent(const TComponent* c) const {
        if (!nesting_.parentOf) return root_;
        const TComponent* p = nesting_.parentOf(c);
        size_t steps = 0;
        for (const TComponent* walk = p; walk && walk != root_; walk = nesting_.parentOf(walk))
            if (walk == c || walk->Owner() != root_ || ++steps > root_->Components().size()) return root_;
        return p ? p : root_;
    }

    TFormNode node(const TComponent* c) {
        TFormNode n;
        n.className = c->ClassName();
        n.name = c->Name();
        props(c, "", n.props, 0, true);
        for (const TComponent* child : root_->Components())
            if (parent_[child] == c) n.children.push_back(node(child));
        return n;
    }

    static TFormProp record(std::string name, TFormValue value) {
        TFormProp p;
        p.name = std::move(name);
        p.value = std::move(value);
        return p;
    }

    void props(const TObject* obj, const std::string& prefix, std::vector<TFormProp>& out, int depth,
               bool isComponent) {
        if (depth > kMaxFormDepth)
            throw Exception("Sub-objects of " + obj->ClassName() + " nest too deep to write");
        for (const TPropInfo* p : obj->ClassType().AllProps()) {
            // A component's name is part of its header.
            if (isComponent && SameText(p->name, "Name")) continue;
            prop(obj, *p, prefix + p->name, out, depth);
        }
        for (const TBinaryPropInfo* b : obj->ClassType().AllBinaryProps()) {
            if (b->stored && !b->stored(obj)) continue;
            TFormValue v;
            v.kind = TFormValueKind::Binary;
            v.bytes = b->write(obj);
            out.push_back(record(prefix + b->name, std::move(v)));
        }
    }

    void prop(const TObject* obj, const TPropInfo& p, const std::string& name, std::vector<TFormProp>& out,
              int depth) {
        if (!p.stored) return;
        TFormValue v;
        switch (p.kind) {
        case TTypeKind::Integer:
        case TTypeKind::Boolean:
        case TTypeKind::Enumeration:
        case TTypeKind::Set: {
            if (p.readOnly || !p.getOrd) return;
            int64_t value = p.getOrd(obj);
            if (p.hasDefault && value == p.defaultOrd) return;
            out.push_back(record(name, ordinalValue(p, value)));
            return;
        }
        case TTypeKind::String:
            if (p.readOnly || !p.getStr) return;
            v.kind = TFormValueKind::String;
            v.text = p.getStr(obj);
            if (v.text.empty()) return;
            break;
        case TTypeKind::WideString:
            if (p.readOnly || !p.getWStr) return;
            v.kind = TFormValueKind::WString;
            v.wide = WideToUtf16(p.getWStr(obj));
            if (v.wide.empty()) return;
            break;
        case TTypeKind::Event:
            if (!p.getEventName) return;
            v.kind = TFormValueKind::Ident;
            v.text = p.getEventName(obj);
            if (v.text.empty()) return;
            break;
        case TTypeKind::Object: {
            TObject* value = p.getObj ? p.getObj(obj) : nullptr;
            if (!value) return;
            if (p.ownsObject) {
                if (auto* coll = dynamic_cast<const TCollection*>(value)) {
                    if (coll->Count() == 0) return;
                    v.kind = TFormValueKind::Collection;
                    for (const TCollectionItem* item : coll->Items()) {
                        v.items.emplace_back();
                        props(item, "", v.items.back().props, depth + 1, false);
                    }
                    break;
                }
                props(value, name + ".", out, depth + 1, false);
                return;
            }
            // A reference is stored by name, so only components the form can find again.
            auto* ref = dynamic_cast<const TComponent*>(value);
            if (p.readOnly || !ref || ref->Name().empty() || (ref != root_ && ref->Owner() != root_)) return;
            v.kind = TFormValueKind::Ident;
            v.text = ref->Name();
            break;
        }
        }
        out.push_back(record(name, std::move(v)));
    }

    const TComponent* root_;
    const TResourceNesting& nesting_;
    std::map<const TComponent*, const TComponent*> parent_;
};

} // namespace

TFormNode WriteComponentTree(const TComponent* root, const TResourceNesting& nesting) {
    return TreeWriter(root, nesting).Write();
}
