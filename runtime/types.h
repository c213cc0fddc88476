#pragma once
// The runtime's scalar types, named as the windows and controls use them.
#include <QString>
#include <cstdint>
#include <stdexcept>

namespace rt {

using Byte = std::uint8_t;     // 8-bit unsigned
using Integer = std::int16_t;  // 16-bit signed
using Long = std::int32_t;     // 32-bit signed; colours are Longs in 0x00BBGGRR order
using Single = float;

inline constexpr int kTwipsPerPixel = 15;

// Button and shift masks of the mouse events.
inline constexpr Integer vbLeftButton = 1;
inline constexpr Integer vbRightButton = 2;
inline constexpr Integer vbMiddleButton = 4;
inline constexpr Integer vbShiftMask = 1;
inline constexpr Integer vbCtrlMask = 2;
inline constexpr Integer vbAltMask = 4;

// An error that a handler does not trap. Raised to the caller; at the top of
// the event loop it shows the runtime's error box and ends the program.
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const QString& description)
        : std::runtime_error(description.toStdString()),
          number_(number),
          description_(description) {}
    int number() const { return number_; }
    const QString& description() const { return description_; }

private:
    int number_;
    QString description_;
};

// Thrown by End on the recording host so that nothing after it runs; the real
// host leaves the process instead.
struct ProgramEnded {};

}  // namespace rt
