// The capture program as its tests start it, and CP936 bytes of its texts, for finding its windows.
#pragma once

#include "tests/support/running_program.h"

namespace qs::test {

class RunningQuillshot : public RunningProgram {
  public:
    RunningQuillshot() : RunningProgram("Quillshot.exe") {}
};

namespace text {
inline constexpr char kInstructions[] = "\xcb\xb5\xc3\xf7";    // 说明
inline constexpr char kAbout[] = "\xb9\xd8\xd3\xda";           // 关于
inline constexpr char kClose[] = "\xb9\xd8\xb1\xd5";           // 关闭
inline constexpr char kOk[] = "\xc8\xb7\xb6\xa8";              // 确定
inline constexpr char kConfirm[] = "\xc7\xeb\xc8\xb7\xc8\xcf"; // 请确认
inline constexpr char kAlreadyRunning[] = "\xa1\xb0Quillshot\xa1\xb1\xd2\xd1\xd4\xcb\xd0\xd0\xa3\xa1";
} // namespace text

} // namespace qs::test
