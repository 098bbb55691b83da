// PngWriter: a minimal PNG encoder (RGB, stored deflate blocks) for test screenshots.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/EString.h"

std::uint32_t Crc32(const void* data, std::size_t size, std::uint32_t crc = 0);
std::uint32_t Adler32(const void* data, std::size_t size);

// rgb holds width * height pixels, top row first, three bytes each. An empty
// text when the sizes do not match.
std::string EncodePng(int width, int height, const std::vector<std::uint8_t>& rgb);
bool WritePng(const EString& path, int width, int height, const std::vector<std::uint8_t>& rgb);
