#pragma once

// The two addresses the help window opens; passed trimmed.
namespace WebLinks {
inline constexpr char DownloadPage[] = "https://tallyvane.example.org/download"; // "新版下载"
inline constexpr char HomePage[] = "https://tallyvane.example.org/";             // "官方网站"
} // namespace WebLinks
