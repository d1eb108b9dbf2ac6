// The program file's version information.
#pragma once

inline constexpr char kProductName[] = "TazmelMP3播放器";
inline constexpr char kVersion[] = "1.0.0.0";
inline constexpr char kFileDescription[] = "本程序目前支持MP3格式。";
inline constexpr char kComments[] = "敬请关注后续更新会支持其他格式";
