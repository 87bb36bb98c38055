#pragma once

#include <cstddef>

namespace Orvane::Utility {

struct Sighting;

// Takes one DNS-SD TXT string ("key=value", raw bytes) into the sighting when its key is one the
// search uses (ty, product, note, adminurl, UUID; case-insensitive). As DNS-SD says, the first
// occurrence of a key counts. Other keys, and entries without a key, are ignored.
void ReadTxtEntry(const void* data, std::size_t size, Sighting& sighting);

} // namespace Orvane::Utility
