// Assembling a skin from a theme, and the ini text it is described by.
#include "skins/generator/skin.h"

#include <algorithm>
#include <cctype>

namespace qs::skingen {

void IniText::Section::colour(const std::string& key, Colour c) {
    set(key, std::to_string(Red(c)) + " " + std::to_string(Green(c)) + " " + std::to_string(Blue(c)));
}

void IniText::Section::margins(int left, int top, int right, int bottom) {
    set("LeftWidth", left);
    set("RightWidth", right);
    set("TopHeight", top);
    set("BottomHeight", bottom);
}

IniText::Section& IniText::section(const std::string& name) {
    sections_.push_back(Section{name, {}});
    return sections_.back();
}

IniText::Section* IniText::find(const std::string& name) {
    for (Section& s : sections_)
        if (s.name == name) return &s;
    return nullptr;
}

std::string IniText::text() const {
    std::string out;
    for (const std::string& line : header_)
        out += "; " + line + "\r\n";
    for (const Section& s : sections_) {
        if (!out.empty()) out += "\r\n";
        out += "[" + s.name + "]\r\n";
        for (const auto& [k, v] : s.keys)
            out += k + "=" + v + "\r\n";
    }
    return out;
}

std::string Skin::add(const std::string& file, Image img) {
    std::string name = file;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char c) { return char(std::tolower(uint8_t(c))); });
    images.emplace_back(name, std::move(img));
    return folder.empty() ? name : folder + "\\" + name;
}

Skin BuildSkin(const Theme& theme) {
    Skin skin;
    skin.folder = theme.folder;
    skin.ini.comment("Quillshot skin \"" + theme.name + "\", drawn by skingen from " + theme.id + ".theme");
    AddWindowFrame(theme, skin);
    AddColourSections(theme, skin);
    AddCaptionButtons(theme, skin);
    AddPushButtons(theme, skin);
    AddControlSections(theme, skin);
    return skin;
}

} // namespace qs::skingen
