// The root of the toolkit's object model: TObject with run-time class information, so any
// object's published properties can be read and written by name and components can be created
// from their class name (form resources, the skin engine's property helpers).
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <typeindex>
#include <vector>

class TObject;
class TComponent;
class TClassInfo;

// Exceptions carry only a message, like every exception of the system.
class Exception : public std::runtime_error {
  public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};
class EConvertError : public Exception {
  public:
    using Exception::Exception;
};
class EReadError : public Exception {
  public:
    using Exception::Exception;
};
class EClassNotFound : public EReadError {
  public:
    using EReadError::EReadError;
};

enum class TTypeKind { Integer, Boolean, Enumeration, Set, String, WideString, Object, Event };

// An enumeration's member names; a member's ordinal is its index.
struct TEnumInfo {
    std::string name;
    std::vector<std::string> members;
    int Find(const std::string& member) const; // case-insensitive; -1 when absent
};

// Symbolic names for some integer values ("clGray", "crHandPoint"); stored texts use them.
struct TIdentMap {
    std::vector<std::pair<int32_t, std::string>> entries;
    const std::string* NameOf(int32_t value) const;
    bool ValueOf(const std::string& name, int32_t& value) const; // case-insensitive
};

// A method published by a class, so a stored event ("OnClick = Button1Click") can be bound.
struct TMethodInfo {
    std::string name;
    std::type_index signature{typeid(void)};
    std::function<std::any(TObject* self)> bind; // yields a std::function of `signature`
};

struct TPropInfo {
    std::string name;
    TTypeKind kind = TTypeKind::Integer;
    const TEnumInfo* enumType = nullptr; // Enumeration; Set: its element type
    int setBytes = 4;                    // Set: stored width in bytes
    const TIdentMap* idents = nullptr;   // Integer: symbolic names
    // Object: the declared class, looked up late because a class may refer to itself.
    const TClassInfo& (*objectClass)() = nullptr;
    bool readOnly = false;
    bool stored = true; // false: shown only; stored values are accepted and ignored, none is written
    bool hasDefault = false;
    int64_t defaultOrd = 0;  // not written when the value equals it
    bool ownsObject = false; // Object: a sub-object the owner keeps (Font, Picture, a collection)

    std::function<int64_t(const TObject*)> getOrd; // Integer, Boolean, Enumeration, Set
    std::function<void(TObject*, int64_t)> setOrd;
    std::function<std::string(const TObject*)> getStr; // String: 8-bit (ANSI) text
    std::function<void(TObject*, const std::string&)> setStr;
    std::function<std::wstring(const TObject*)> getWStr; // WideString
    std::function<void(TObject*, const std::wstring&)> setWStr;
    std::function<TObject*(const TObject*)> getObj; // Object
    std::function<void(TObject*, TObject*)> setObj;
    std::type_index eventSignature{typeid(void)}; // Event
    std::function<std::string(const TObject*)> getEventName;
    std::function<void(TObject*, const std::string& name, const std::any& fn)> setEvent;
};

// A stored binary property beside the published ones ("SkinStream", "DataStream").
struct TBinaryPropInfo {
    std::string name;
    std::function<void(TObject*, const std::vector<uint8_t>&)> read;
    std::function<std::vector<uint8_t>(const TObject*)> write;
    std::function<bool(const TObject*)> stored; // null: always stored
};

class TClassInfo {
  public:
    std::string name;
    const TClassInfo* parent = nullptr;
    std::vector<TPropInfo> props; // this class's own, in declaration order
    std::vector<TBinaryPropInfo> binaryProps;
    std::vector<TMethodInfo> methods;
    std::function<TComponent*(TComponent* owner)> create; // null: not creatable by name

    bool InheritsFrom(const TClassInfo& other) const;
    bool InheritsFrom(const std::string& className) const; // case-insensitive
    // Searches this class, then its ancestors (case-insensitive).
    const TPropInfo* FindProp(const std::string& propName) const;
    const TBinaryPropInfo* FindBinaryProp(const std::string& propName) const;
    const TMethodInfo* FindMethod(const std::string& methodName) const;
    // Every published property, ancestors' first.
    std::vector<const TPropInfo*> AllProps() const;
    std::vector<const TBinaryPropInfo*> AllBinaryProps() const;
};

// The class registry: component classes are found and created by name.
void RegisterClassInfo(const TClassInfo& info);
const TClassInfo* FindClassInfo(const std::string& className); // case-insensitive

class TObject {
  public:
    virtual ~TObject() = default;
    static const TClassInfo& StaticClass();
    virtual const TClassInfo& ClassType() const { return StaticClass(); }
    const std::string& ClassName() const { return ClassType().name; }
    bool InheritsFrom(const std::string& className) const { return ClassType().InheritsFrom(className); }
};

// Declares a class's run-time information: StaticClass() and the ClassType() override.
#define QS_DECLARE_CLASS()                                                                                   \
  public:                                                                                                    \
    static const TClassInfo& StaticClass();                                                                  \
    const TClassInfo& ClassType() const override {                                                           \
        return StaticClass();                                                                                \
    }

bool SameText(const std::string& a, const std::string& b); // ASCII case-insensitive
std::string LowerCase(const std::string& s);               // ASCII letters only
std::string UpperCase(const std::string& s);
