// Reading and writing published properties by name on objects of any class, including
// classes the caller has never heard of. Missing properties and kinds that do not fit give
// the neutral answer; nothing raises.
#pragma once

#include <cstdint>
#include <string>

#include "toolkit/core/object.h"

// Ordinal value (integer, boolean, enumeration, set) or -1 when there is none.
int64_t GetIntProp(const TObject* obj, const std::string& name);
// The enumeration member's name ("False"/"True" for booleans), or empty.
std::string GetEnumPropName(const TObject* obj, const std::string& name);
// String properties as wide text: wide ones directly, 8-bit ones through `ansiToWide`
// (the platform's ANSI code page in the program; Latin-1 when not given).
std::wstring GetWideStrProp(const TObject* obj, const std::string& name,
                            std::wstring (*ansiToWide)(const std::string&) = nullptr);
std::string GetStrProp(const TObject* obj, const std::string& name);
// A set property as text ("[btPlay,btStop]"), or empty when there is no such set.
std::string GetSetPropText(const TObject* obj, const std::string& name);
TObject* GetObjectProp(const TObject* obj, const std::string& name);
// Integers take the text as a number (or an identifier such as clRed), enumerations the
// member of that name, sets a text such as "[btPlay,btStop]", strings the text; other kinds,
// missing properties and texts that do not fit are ignored.
void SetPropFromText(TObject* obj, const std::string& name, const std::string& text);
bool SetOrdProp(TObject* obj, const std::string& name, int64_t value);
bool SetObjectProp(TObject* obj, const std::string& name, TObject* value);

// A property path with dots ("Font.Name") walks owned sub-objects.
const TPropInfo* FindPropPath(TObject*& obj, const std::string& path);

// Text forms of sets: "[xcMainMenu,xcPopupMenu]".
std::string SetToText(const TEnumInfo& element, uint64_t mask);
bool TextToSet(const TEnumInfo& element, const std::string& text, uint64_t& mask);
// Decimal or hex ("$1F", "0x1F") integer text; false when it is not one.
bool TextToInt(const std::string& text, int64_t& value);
