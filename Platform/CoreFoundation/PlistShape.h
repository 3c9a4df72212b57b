// Checks made before a property list reaches the parser, which recurses once per
// level of nesting and expands every shared object of a binary list into a copy
// of its own: a list nested deep enough overflows the stack, and a binary list
// that shares objects level upon level grows exponentially. Both are refused.
#pragma once

#include <cstddef>
#include <string_view>

/// Real Info.plists nest a handful of levels.
inline constexpr unsigned maxPlistNesting = 256;
/// Nodes a binary list may expand to: more than a list of maxInfoPlistSize bytes
/// could hold written out.
inline constexpr std::size_t maxPlistNodes = 200000;

/// Whether `plist` (XML or binary) may be handed to the parser.
bool IsPlistWithinLimits(std::string_view plist);

/// Whether no `<dict>` or `<array>` of `xml` lies more than `maxNesting` deep.
/// Errs on the side of refusing: every opening tag counts, even in a comment, but
/// only exact closing tags outside comments and declarations take one back.
bool IsXmlPlistWithinLimits(std::string_view xml, unsigned maxNesting);

/// Whether the binary list `bplist` is well-formed enough to walk, has no cycle,
/// nests at most `maxNesting` containers deep, expands to at most `maxNodes`
/// nodes and has no ASCII string holding a NUL (the parser would cut the string
/// there).
bool IsBinaryPlistWithinLimits(std::string_view bplist, unsigned maxNesting, std::size_t maxNodes);
