// A generated skin: the ini description (sections in writing order) and the images it names.
#pragma once

#include "skins/generator/image.h"
#include "skins/generator/theme.h"

#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace qs::skingen {

class IniText {
  public:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> keys;
        void set(const std::string& key, const std::string& value) { keys.emplace_back(key, value); }
        void set(const std::string& key, int value) { set(key, std::to_string(value)); }
        void colour(const std::string& key, Colour c); // "r g b"
        // The four nine-slice margins in the order the loader reads them.
        void margins(int left, int top, int right, int bottom);
    };
    void comment(const std::string& line) { header_.push_back(line); }
    // Appends a new section; references stay valid while more are added.
    Section& section(const std::string& name);
    Section* find(const std::string& name);
    const std::deque<Section>& sections() const { return sections_; }
    std::string text() const; // CR LF line ends

  private:
    std::vector<std::string> header_;
    std::deque<Section> sections_;
};

struct Skin {
    IniText ini;
    std::vector<std::pair<std::string, Image>> images; // bare, lower-case file names
    std::string folder;
    // Stores the image and returns the value the ini names it by.
    std::string add(const std::string& file, Image img);
};

Skin BuildSkin(const Theme& theme);

// Parts of BuildSkin, each writing its sections and images.
void AddColourSections(const Theme& t, Skin& skin);
void AddWindowFrame(const Theme& t, Skin& skin);
void AddCaptionButtons(const Theme& t, Skin& skin);
void AddPushButtons(const Theme& t, Skin& skin);
void AddControlSections(const Theme& t, Skin& skin);

} // namespace qs::skingen
