// Writing a rendered page as a PNG file (RGB, 8 bits a channel).
#pragma once

#include <string>

#include "previewer/render/memory_device.h"

namespace mox {

// Whether this build can write PNG files (the Windows console build cannot).
bool CanWritePng();
// Writes the device's image; false with a message on stderr on failure.
bool WritePng(const MemoryDevice& image, const std::string& path);

}  // namespace mox
