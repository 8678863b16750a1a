// The neutral shape of a form resource: components with their property records, as both the text
// and the binary format carry it. No class is consulted at this level, so the build-time compiler
// turns text into bytes without knowing the program's classes; the reader and writer in
// tree_reader/tree_writer map it onto objects.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class TFormValueKind : uint8_t {
    Integer,    // integer
    False,      // the identifier False
    True,       // the identifier True
    Ident,      // text: an enumeration member, a symbolic integer, a method or component name, nil
    String,     // text: 8-bit ANSI bytes
    WString,    // wide: UTF-16 code units
    Set,        // members: element names
    Binary,     // bytes: the property's stored layout
    Collection, // items
};

struct TFormProp;

struct TFormItem {
    std::vector<TFormProp> props;
    int line = 0; // in the text it came from; 0 when read from bytes
    bool operator==(const TFormItem&) const;
};

struct TFormValue {
    TFormValueKind kind = TFormValueKind::Integer;
    int64_t integer = 0;
    std::string text;
    std::u16string wide;
    std::vector<std::string> members;
    std::vector<uint8_t> bytes;
    std::vector<TFormItem> items;
    bool operator==(const TFormValue&) const = default;
};

struct TFormProp {
    std::string name; // a path: "Caption", "Font.Name"
    TFormValue value;
    int line = 0;
    // Where the record came from does not make it a different record.
    bool operator==(const TFormProp& o) const { return name == o.name && value == o.value; }
};

inline bool TFormItem::operator==(const TFormItem& o) const {
    return props == o.props;
}

// One component; its children are the components nested inside it in the text.
struct TFormNode {
    std::string className;
    std::string name;
    std::vector<TFormProp> props;
    std::vector<TFormNode> children;
    int line = 0;
    bool operator==(const TFormNode& o) const {
        return className == o.className && name == o.name && props == o.props && children == o.children;
    }
};
