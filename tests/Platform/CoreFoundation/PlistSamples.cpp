#include "PlistSamples.h"

#include <plist/plist.h>

#include <cstdlib>
#include <memory>

namespace {

void appendBigEndian(std::string& out, std::uint64_t value, unsigned width) {
    for (unsigned i = width; i-- > 0;) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

constexpr unsigned refWidth = 4;

} // namespace

std::string Repeated(std::string_view text, std::size_t times) {
    std::string out;
    out.reserve(text.size() * times);
    for (std::size_t i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

std::string XmlPlist(std::string_view entries) {
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                       "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                       "<plist version=\"1.0\">\n<dict>\n") +
           std::string(entries) + "</dict>\n</plist>\n";
}

std::string XmlStringEntry(std::string_view key, std::string_view value) {
    std::string escaped;
    for (const char c : value) {
        switch (c) {
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '&':
            escaped += "&amp;";
            break;
        default:
            escaped += c;
        }
    }
    return "<key>" + std::string(key) + "</key><string>" + escaped + "</string>\n";
}

std::string NestedXmlPlist(unsigned levels) {
    return XmlPlist("<key>ZQLaunchApp</key>" + Repeated("<array>", levels) +
                    Repeated("</array>", levels) + "\n");
}

std::string NestedBinaryPlist(unsigned levels) {
    BinaryPlistBuilder b;
    b.dictionary({1}, {2});
    b.ascii("ZQLaunchApp");
    for (unsigned i = 0; i < levels; ++i) {
        b.array({b.next() + 1});
    }
    b.ascii("leaf");
    return b.bytes();
}

std::string BinaryPlistWithString(std::string_view key, std::string_view utf8) {
    const std::unique_ptr<void, decltype(&plist_free)> root(plist_new_dict(), &plist_free);
    plist_dict_set_item(root.get(), std::string(key).c_str(),
                        plist_new_string(std::string(utf8).c_str()));
    char* bytes = nullptr;
    std::uint32_t length = 0;
    plist_to_bin(root.get(), &bytes, &length);
    std::string out(bytes, length);
    plist_to_bin_free(bytes);
    return out;
}

BinaryPlistBuilder::Ref BinaryPlistBuilder::ascii(std::string_view text) {
    return add(0x5, text.size(), {}, text);
}

BinaryPlistBuilder::Ref BinaryPlistBuilder::array(const std::vector<Ref>& items) {
    return add(0xA, items.size(), items, {});
}

BinaryPlistBuilder::Ref BinaryPlistBuilder::dictionary(const std::vector<Ref>& keys,
                                                       const std::vector<Ref>& values) {
    std::vector<Ref> refs(keys);
    refs.insert(refs.end(), values.begin(), values.end());
    return add(0xD, keys.size(), refs, {});
}

BinaryPlistBuilder::Ref BinaryPlistBuilder::add(unsigned kind, std::size_t count,
                                                const std::vector<Ref>& refs,
                                                std::string_view tail) {
    std::string object;
    if (count < 0xF) {
        object += static_cast<char>(kind << 4 | count);
    } else {
        object += static_cast<char>(kind << 4 | 0xF);
        object += static_cast<char>(0x12); // a 4-byte integer follows
        appendBigEndian(object, count, 4);
    }
    for (const Ref ref : refs) {
        appendBigEndian(object, ref, refWidth);
    }
    object += tail;
    objects.push_back(std::move(object));
    return static_cast<Ref>(objects.size() - 1);
}

std::string BinaryPlistBuilder::bytes(Ref top) const {
    std::string out = "bplist00";
    std::vector<std::uint64_t> offsets;
    for (const auto& object : objects) {
        offsets.push_back(out.size());
        out += object;
    }
    const std::uint64_t table = out.size();
    for (const auto offset : offsets) {
        appendBigEndian(out, offset, 4);
    }
    out += std::string(6, '\0');
    out += static_cast<char>(4); // offset width
    out += static_cast<char>(refWidth);
    appendBigEndian(out, objects.size(), 8);
    appendBigEndian(out, top, 8);
    appendBigEndian(out, table, 8);
    return out;
}
