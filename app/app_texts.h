// The program's own texts that are not part of a form, as the code page 936 (GB2312) bytes the
// ANSI calls expect. The Unicode text is beside each.
#pragma once

namespace app_text {

// “Quillshot”已运行！
inline constexpr char kAlreadyRunning[] = "\xa1\xb0Quillshot\xa1\xb1\xd2\xd1\xd4\xcb\xd0\xd0\xa3\xa1";
// 确定要关闭“Quillshot”？
inline constexpr char kConfirmClose[] =
    "\xc8\xb7\xb6\xa8\xd2\xaa\xb9\xd8\xb1\xd5\xa1\xb0Quillshot\xa1\xb1\xa3\xbf";
// 请确认
inline constexpr char kConfirmCaption[] = "\xc7\xeb\xc8\xb7\xc8\xcf";
inline constexpr char kTrayFailed[] = "Failed!";
inline constexpr char kProgramName[] = "Quillshot";
inline constexpr char kMutexName[] = "quillshot";

} // namespace app_text
