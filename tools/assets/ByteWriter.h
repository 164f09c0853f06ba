// Little-endian fields appended to a byte buffer, as bitmap and RIFF headers store them.
#pragma once
#include <cstdint>
#include <vector>

inline void Put16(std::vector<uint8_t>& Out, uint32_t V) {
  Out.push_back(uint8_t(V));
  Out.push_back(uint8_t(V >> 8));
}

inline void Put32(std::vector<uint8_t>& Out, uint32_t V) {
  Put16(Out, V & 0xFFFF);
  Put16(Out, V >> 16);
}
