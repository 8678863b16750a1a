// Builds a class's run-time information from member functions, so each class publishes its
// properties in one readable list:
//
//   const TClassInfo& TPanel::StaticClass() {
//       static const TClassInfo& info = TClassBuilder<TPanel>("TPanel", &TCustomPanel::StaticClass())
//           .Creatable()
//           .Enum("BevelInner", BevelCutInfo(), &TPanel::BevelInner, &TPanel::SetBevelInner, bvNone)
//           .Build();
//       return info;
//   }
#pragma once

#include <memory>
#include <optional>
#include <type_traits>

#include "toolkit/core/events.h"
#include "toolkit/core/object.h"

template <class T> class TClassBuilder {
    template <class X> using NonDeduced = std::type_identity_t<X>;

  public:
    TClassBuilder(std::string name, const TClassInfo* parent) : info_(std::make_unique<TClassInfo>()) {
        info_->name = std::move(name);
        info_->parent = parent;
    }

    // The class can be created by name with an owner (components only).
    TClassBuilder& Creatable() {
        info_->create = [](TComponent* owner) -> TComponent* { return new T(owner); };
        return *this;
    }

    template <class C, class V>
    TClassBuilder& Int(const std::string& name, V (C::*get)() const, NonDeduced<void (C::*)(V)> set,
                       std::optional<int64_t> def = std::nullopt, const TIdentMap* idents = nullptr) {
        TPropInfo p = ordinal<C, V>(name, TTypeKind::Integer, get, set, def);
        p.idents = idents;
        return add(std::move(p));
    }
    template <class C>
    TClassBuilder& Bool(const std::string& name, bool (C::*get)() const, NonDeduced<void (C::*)(bool)> set,
                        std::optional<bool> def = std::nullopt) {
        std::optional<int64_t> d;
        if (def) d = *def ? 1 : 0;
        return add(ordinal<C, bool>(name, TTypeKind::Boolean, get, set, d));
    }
    template <class C, class E>
    TClassBuilder& Enum(const std::string& name, const TEnumInfo& type, E (C::*get)() const,
                        NonDeduced<void (C::*)(E)> set, NonDeduced<std::optional<E>> def = std::nullopt) {
        std::optional<int64_t> d;
        if (def) d = int64_t(*def);
        TPropInfo p = ordinal<C, E>(name, TTypeKind::Enumeration, get, set, d);
        p.enumType = &type;
        return add(std::move(p));
    }
    // A set stored as a bit mask: bit n is the member of ordinal n.
    template <class C, class M>
    TClassBuilder& Set(const std::string& name, const TEnumInfo& element, int bytes, M (C::*get)() const,
                       NonDeduced<void (C::*)(M)> set, std::optional<int64_t> def = std::nullopt) {
        TPropInfo p = ordinal<C, M>(name, TTypeKind::Set, get, set, def);
        p.enumType = &element;
        p.setBytes = bytes;
        return add(std::move(p));
    }
    template <class C>
    TClassBuilder& Str(const std::string& name, std::string (C::*get)() const,
                       NonDeduced<void (C::*)(const std::string&)> set) {
        TPropInfo p;
        p.name = name;
        p.kind = TTypeKind::String;
        p.getStr = [get](const TObject* o) { return (static_cast<const T*>(o)->*get)(); };
        if (set) p.setStr = [set](TObject* o, const std::string& v) { (static_cast<T*>(o)->*set)(v); };
        p.readOnly = !set;
        return add(std::move(p));
    }
    // A text shown for information (a version, a summary): a form resource that stores it is
    // accepted and the value ignored, and none is written.
    template <class C> TClassBuilder& Display(const std::string& name, std::string (C::*get)() const) {
        TPropInfo p;
        p.name = name;
        p.kind = TTypeKind::String;
        p.getStr = [get](const TObject* o) { return (static_cast<const T*>(o)->*get)(); };
        p.setStr = [](TObject*, const std::string&) {};
        p.stored = false;
        return add(std::move(p));
    }
    template <class C>
    TClassBuilder& WStr(const std::string& name, std::wstring (C::*get)() const,
                        NonDeduced<void (C::*)(const std::wstring&)> set) {
        TPropInfo p;
        p.name = name;
        p.kind = TTypeKind::WideString;
        p.getWStr = [get](const TObject* o) { return (static_cast<const T*>(o)->*get)(); };
        if (set) p.setWStr = [set](TObject* o, const std::wstring& v) { (static_cast<T*>(o)->*set)(v); };
        p.readOnly = !set;
        return add(std::move(p));
    }
    // An object-valued property. With `owned`, the object is a sub-object the instance keeps
    // (Font, Picture, a collection): stored texts describe its properties in place.
    template <class C, class O>
    TClassBuilder& Obj(const std::string& name, O* (C::*get)() const, NonDeduced<void (C::*)(O*)> set,
                       bool owned = false) {
        TPropInfo p;
        p.name = name;
        p.kind = TTypeKind::Object;
        p.objectClass = &O::StaticClass;
        p.ownsObject = owned;
        p.getObj = [get](const TObject* o) -> TObject* { return (static_cast<const T*>(o)->*get)(); };
        if (set)
            p.setObj = [set](TObject* o, TObject* v) {
                (static_cast<T*>(o)->*set)(v ? dynamic_cast<O*>(v) : nullptr);
            };
        p.readOnly = !set;
        return add(std::move(p));
    }
    template <class C, class Sig> TClassBuilder& Event(const std::string& name, TEvent<Sig> C::*member) {
        TPropInfo p;
        p.name = name;
        p.kind = TTypeKind::Event;
        p.eventSignature = typeid(std::function<Sig>);
        p.getEventName = [member](const TObject* o) {
            return (static_cast<const T*>(o)->*member).methodName;
        };
        p.setEvent = [member](TObject* o, const std::string& method, const std::any& fn) {
            auto& ev = static_cast<T*>(o)->*member;
            ev.fn = fn.has_value() ? std::any_cast<std::function<Sig>>(fn) : std::function<Sig>();
            ev.methodName = method;
        };
        return add(std::move(p));
    }
    TClassBuilder& Binary(const std::string& name, void (T::*read)(const std::vector<uint8_t>&),
                          std::vector<uint8_t> (T::*write)() const, bool (T::*stored)() const = nullptr) {
        TBinaryPropInfo b;
        b.name = name;
        b.read = [read](TObject* o, const std::vector<uint8_t>& v) { (static_cast<T*>(o)->*read)(v); };
        b.write = [write](const TObject* o) { return (static_cast<const T*>(o)->*write)(); };
        if (stored) b.stored = [stored](const TObject* o) { return (static_cast<const T*>(o)->*stored)(); };
        info_->binaryProps.push_back(std::move(b));
        return *this;
    }
    // A published method with an event signature, bindable by name from a stored event.
    template <class Sig, class M> TClassBuilder& Method(const std::string& name, M T::*method) {
        TMethodInfo m;
        m.name = name;
        m.signature = typeid(std::function<Sig>);
        m.bind = [method](TObject* self) -> std::any {
            T* t = static_cast<T*>(self);
            return std::function<Sig>([t, method](auto&&... args) -> decltype(auto) {
                return (t->*method)(std::forward<decltype(args)>(args)...);
            });
        };
        info_->methods.push_back(std::move(m));
        return *this;
    }
    TClassBuilder& Prop(TPropInfo p) { return add(std::move(p)); }

    // Registers the class and hands out the finished information (it lives for the program).
    const TClassInfo& Build() {
        const TClassInfo* done = info_.release();
        RegisterClassInfo(*done);
        return *done;
    }

  private:
    TClassBuilder& add(TPropInfo p) {
        info_->props.push_back(std::move(p));
        return *this;
    }
    template <class C, class V>
    static TPropInfo ordinal(const std::string& name, TTypeKind kind, V (C::*get)() const, void (C::*set)(V),
                             std::optional<int64_t> def) {
        TPropInfo p;
        p.name = name;
        p.kind = kind;
        p.getOrd = [get](const TObject* o) { return int64_t((static_cast<const T*>(o)->*get)()); };
        if (set) p.setOrd = [set](TObject* o, int64_t v) { (static_cast<T*>(o)->*set)(static_cast<V>(v)); };
        p.readOnly = !set;
        p.hasDefault = def.has_value();
        p.defaultOrd = def.value_or(0);
        return p;
    }

    std::unique_ptr<TClassInfo> info_;
};
