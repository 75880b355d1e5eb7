#pragma once

namespace Lumora {

// The frames a window of the program can have.
enum class WindowFrame {
    FixedSingle, // fixed size, no maximise or minimise box
    FixedDialog, // the same, for the small information windows
    Sizable,     // an ordinary resizable window
};

} // namespace Lumora
