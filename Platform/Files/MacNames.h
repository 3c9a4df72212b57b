// Item names: on disk they are UTF-8 bytes; an FSSpec carries them in Mac Roman,
// at most 63 bytes; HFSUniStr255 carries them in UTF-16.
#pragma once

#include "Files.h"

#include <functional>
#include <string>
#include <string_view>

namespace MacNames {

/// The most bytes an FSSpec name holds.
constexpr std::size_t specNameLimit = 63;

/// The FSSpec name (a P-string) of the on-disk `name`: its Mac Roman form, or a
/// shortened form that carries the item's node id in hex after a '#', before
/// any extension, when that is longer than 63 bytes, when there is none, or when
/// it belongs to a sibling: a decomposed "cafe\u0301" and a composed "caf\u00E9"
/// have one Mac Roman form, which the composed one keeps. `nodeID` is asked for
/// only for a shortened name, `siblingExists` (given an on-disk name) only for a
/// name that is not in composed form.
void SpecNameOf(std::string_view name, const std::function<UInt32()>& nodeID,
                const std::function<bool(const std::string&)>& siblingExists,
                unsigned char* specName);

/// The node id a shortened FSSpec name carries, or 0 when it carries none.
UInt32 NodeIDInSpecName(std::string_view specName);

/// `name` in UTF-16; an invalid byte becomes U+FFFD, and the name is cut at 255
/// units.
void UniNameOf(std::string_view name, HFSUniStr255* uniName);

/// The on-disk name whose Mac Roman form `specName` is.
std::string OnDiskFormOf(std::string_view specName);

/// True when `name` has a Mac Roman form of at most 63 bytes equal to `specName`.
bool HasSpecName(std::string_view name, std::string_view specName);

} // namespace MacNames
