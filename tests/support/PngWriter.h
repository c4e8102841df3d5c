#pragma once
// Writes 24-bit RGB pictures as PNG files, uncompressed (stored deflate
// blocks), so the test tools need no image library.
#include <cstdint>
#include <string>
#include <vector>

// rgb holds width * height pixels, top row first, 3 bytes each.
bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb);
