#pragma once
// The program's identity and the texts that define a new script. Everything
// that prints the title or the version reads it from here.

#include <string>
#include <string_view>

#include "shell/app_version.h"

namespace quill {

inline constexpr std::string_view kProgramTitle = "Quillmoor v3";
inline constexpr int kVersionMajor = QUILL_VERSION_MAJOR;
inline constexpr int kVersionMinor = QUILL_VERSION_MINOR;
inline constexpr int kVersionRevision = QUILL_VERSION_PATCH;

inline constexpr std::string_view kCrLf = "\r\n";

inline constexpr std::string_view kScriptBanner = ";NPC Created By Tarnhollow's Legend Of Mir 2 : Quillmoor v3";
// The banner, a line break and the main menu header, with nothing after it.
inline constexpr std::string_view kDefaultScriptText =
    ";NPC Created By Tarnhollow's Legend Of Mir 2 : Quillmoor v3\r\n[@main]";

inline constexpr std::string_view kStartupCaption = "Legend Of Mir : Quillmoor : v3 : [Untitled NPC]";
inline constexpr std::string_view kSaveQuestion = "Would You Like To Save Your NPC Script?";
inline constexpr std::string_view kSaveQuestionTitle = "[Save]";
inline constexpr std::string_view kSplashWarning =
    "Warning: This Is Only For Offline Use, Do Not Use In Conjunction With Online Servers";
inline constexpr std::string_view kSplashPlatform = "Legend Of Mir 2";
inline constexpr std::string_view kWelcomeStatus = "Welcome To The Legend Of Mir 2 Quillmoor";

// "Version 3.0.6": plain decimal numbers, no padding.
std::string splashVersionText();

}  // namespace quill
