#pragma once

namespace tarvel {

// How the PC reaches the units: its serial port wired to one unit's remote port, or to the
// console port of a controller that forwards addressed commands over RS-485.
enum class ConnectionMode { Direct, Controller };

// The last character of the prompt that ends a unit's or a controller's answer.
constexpr char PromptCharacterFor(ConnectionMode mode) {
    return mode == ConnectionMode::Controller ? '>' : '#';
}

} // namespace tarvel
