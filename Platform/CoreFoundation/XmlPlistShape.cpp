#include "PlistShape.h"

namespace {

// Stretches whose closing tags do not count, with what ends each.
struct IgnoredStretch {
    std::string_view start, end;
};
constexpr IgnoredStretch ignoredStretches[] = {
    {"<!--", "-->"},
    {"<![CDATA[", "]]>"},
    {"<!", ">"},
    {"<?", "?>"},
};

bool opensContainer(std::string_view tag) {
    return (tag.starts_with("<dict") && !tag.starts_with("<dict/>")) ||
           (tag.starts_with("<array") && !tag.starts_with("<array/>"));
}

bool closesContainer(std::string_view tag) {
    return tag.starts_with("</dict>") || tag.starts_with("</array>");
}

} // namespace

bool IsXmlPlistWithinLimits(std::string_view xml, unsigned maxNesting) {
    unsigned depth = 0;
    std::size_t ignoredUntil = 0;
    for (auto at = xml.find('<'); at != std::string_view::npos; at = xml.find('<', at + 1)) {
        const auto tag = xml.substr(at);
        if (at >= ignoredUntil) {
            for (const auto& stretch : ignoredStretches) {
                if (tag.starts_with(stretch.start)) {
                    const auto end = xml.find(stretch.end, at + stretch.start.size());
                    ignoredUntil = end == std::string_view::npos ? xml.size() : end;
                    break;
                }
            }
        }
        if (opensContainer(tag) && ++depth > maxNesting) {
            return false;
        }
        if (closesContainer(tag) && at >= ignoredUntil && depth > 0) {
            --depth;
        }
    }
    return true;
}
