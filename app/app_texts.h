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
// 剪贴板正被其他程序占用，本次截屏未能保存，请稍后再试。
inline constexpr char kClipboardBusy[] =
    "\xbc\xf4\xcc\xf9\xb0\xe5\xd5\xfd\xb1\xbb\xc6\xe4\xcb\xfb\xb3\xcc\xd0\xf2\xd5\xbc\xd3\xc3\xa3\xac\xb1\xbe"
    "\xb4\xce\xbd\xd8\xc6\xc1\xce\xb4\xc4\xdc\xb1\xa3\xb4\xe6\xa3\xac\xc7\xeb\xc9\xd4\xba\xf3\xd4\xd9\xca\xd4"
    "\xa1\xa3";
inline constexpr char kProgramName[] = "Quillshot";
inline constexpr char kMutexName[] = "quillshot";

} // namespace app_text
