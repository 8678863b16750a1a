// EAssertionFailed: a programming error caught at run time, naming the source unit and line the way
// the toolkit's assertions do: "message (unit, line N)".
#pragma once

#include <stdexcept>
#include <string>

namespace qs {

class EAssertionFailed : public std::logic_error {
  public:
    EAssertionFailed(const std::string& message, const std::string& unit, int line)
        : std::logic_error(message + " (" + unit + ", line " + std::to_string(line) + ")"), message_(message),
          unit_(unit), line_(line) {}
    const std::string& Message() const { return message_; }
    const std::string& Unit() const { return unit_; }
    int Line() const { return line_; }

  private:
    std::string message_;
    std::string unit_;
    int line_;
};

} // namespace qs
