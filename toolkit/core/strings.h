// TStrings: an ordered list of text lines, kept by controls as an owned sub-object (a radio
// group's Items). Stored texts carry it as one property, Text: the lines joined with CR LF.
#pragma once

#include <string>
#include <vector>

#include "toolkit/core/component.h"
#include "toolkit/core/events.h"

class TStrings : public TPersistent {
    QS_DECLARE_CLASS()
  public:
    // Copies another list's lines.
    void Assign(const TPersistent* source) override;

    int Count() const { return int(lines_.size()); }
    const std::string& Strings(int index) const { return lines_.at(size_t(index)); }
    void SetStrings(int index, const std::string& value);
    int Add(const std::string& line);
    void Delete(int index);
    void Clear();
    // -1 when absent; compared exactly.
    int IndexOf(const std::string& line) const;

    // The lines, each followed by CR LF. Setting splits at CR LF, LF or CR; a last line without
    // an ending counts.
    std::string Text() const;
    void SetText(const std::string& value);

    TNotifyEvent OnChange;

  private:
    void changed();

    std::vector<std::string> lines_;
};
