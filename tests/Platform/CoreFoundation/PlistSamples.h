// Property lists for tests: XML text, binary lists written by libplist, and
// binary lists put together object by object for shapes no writer would make.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// `text` written `times` times over.
std::string Repeated(std::string_view text, std::size_t times);

/// An XML plist whose root dictionary holds `entries` (`<key>`/value pairs).
std::string XmlPlist(std::string_view entries);
/// `<key>key</key><string>value</string>` with the value's `<`, `>`, `&` escaped.
std::string XmlStringEntry(std::string_view key, std::string_view value);
/// An XML plist with "ZQLaunchApp" holding arrays nested `levels` deep.
std::string NestedXmlPlist(unsigned levels);
/// A binary plist with "ZQLaunchApp" holding arrays nested `levels` deep, the
/// innermost holding a string.
std::string NestedBinaryPlist(unsigned levels);
/// A binary plist, written by libplist, whose root dictionary maps `key` to the
/// string `utf8`.
std::string BinaryPlistWithString(std::string_view key, std::string_view utf8);

/// Binary plist objects, each added with its marker and references (4 bytes
/// each); `bytes()` lays out the header, objects, offset table and trailer.
class BinaryPlistBuilder {
public:
    using Ref = std::uint32_t;

    Ref ascii(std::string_view text);
    Ref array(const std::vector<Ref>& items);
    Ref dictionary(const std::vector<Ref>& keys, const std::vector<Ref>& values);
    /// The index the next object will get, for references to objects not yet made.
    Ref next() const { return static_cast<Ref>(objects.size()); }

    std::string bytes(Ref top = 0) const;

private:
    Ref add(unsigned kind, std::size_t count, const std::vector<Ref>& refs, std::string_view tail);

    std::vector<std::string> objects;
};
