// TStrings.
#include "toolkit/core/strings.h"

#include <algorithm>

#include "toolkit/core/class_builder.h"

const TClassInfo& TStrings::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TStrings>("TStrings", &TPersistent::StaticClass())
                                        .Str("Text", &TStrings::Text, &TStrings::SetText)
                                        .Build();
    return info;
}

void TStrings::Assign(const TPersistent* source) {
    if (auto* other = dynamic_cast<const TStrings*>(source)) {
        if (other == this) return;
        lines_ = other->lines_;
        changed();
        return;
    }
    TPersistent::Assign(source);
}

void TStrings::SetStrings(int index, const std::string& value) {
    lines_.at(size_t(index)) = value;
    changed();
}

int TStrings::Add(const std::string& line) {
    lines_.push_back(line);
    changed();
    return Count() - 1;
}

void TStrings::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    lines_.erase(lines_.begin() + index);
    changed();
}

void TStrings::Clear() {
    if (lines_.empty()) return;
    lines_.clear();
    changed();
}

int TStrings::IndexOf(const std::string& line) const {
    auto it = std::find(lines_.begin(), lines_.end(), line);
    return it == lines_.end() ? -1 : int(it - lines_.begin());
}

std::string TStrings::Text() const {
    std::string text;
    for (const std::string& line : lines_)
        text += line + "\r\n";
    return text;
}

void TStrings::SetText(const std::string& value) {
    lines_.clear();
    size_t start = 0;
    while (start < value.size()) {
        size_t end = value.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines_.push_back(value.substr(start));
            break;
        }
        lines_.push_back(value.substr(start, end - start));
        start = end + (value.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    changed();
}

void TStrings::changed() {
    if (OnChange) OnChange(this);
}
