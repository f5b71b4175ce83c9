#pragma once

// What a message box answered. The program acts only on Yes; every other answer is a refusal.
// Ok also stands for every other outcome, including a box that could not be shown.
enum class MessageAnswer : int {
    Ok = 0,
    Cancel = 1,
    Abort = 2,
    Retry = 3,
    Ignore = 4,
    Yes = 5,
    No = 6,
};

// Message-box style bits: buttons in the low four bits, the icon in the next four.
namespace MessageFlags {
inline constexpr int Ok = 0x0;
inline constexpr int OkCancel = 0x1;
inline constexpr int AbortRetryIgnore = 0x2;
inline constexpr int YesNoCancel = 0x3;
inline constexpr int YesNo = 0x4;
inline constexpr int RetryCancel = 0x5;
inline constexpr int IconError = 0x10;
inline constexpr int IconQuestion = 0x20;
inline constexpr int IconWarning = 0x30;
inline constexpr int IconInformation = 0x40;
inline constexpr int SystemModal = 0x1000;
inline constexpr int TaskModal = 0x2000;

inline constexpr int ButtonsMask = 0xF;
inline constexpr int IconMask = 0xF0;
} // namespace MessageFlags
