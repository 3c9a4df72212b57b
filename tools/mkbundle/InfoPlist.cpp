#include "InfoPlist.h"

#include <plist/plist.h>

#include <cerrno>
#include <fstream>
#include <memory>

void WriteInfoPlist(const std::filesystem::path& path,
                    const std::vector<std::pair<std::string, std::string>>& entries) {
    std::unique_ptr<void, decltype(&plist_free)> dictionary(plist_new_dict(), &plist_free);
    for (const auto& [key, value] : entries) {
        plist_dict_set_item(dictionary.get(), key.c_str(), plist_new_string(value.c_str()));
    }
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(dictionary.get(), &xml, &length);
    std::unique_ptr<char, decltype(&plist_to_xml_free)> owner(xml, &plist_to_xml_free);

    std::ofstream file(path, std::ios::binary);
    file.write(xml, length);
    file.close();
    if (!file) {
        throw std::filesystem::filesystem_error("cannot write", path,
                                                std::error_code(errno, std::generic_category()));
    }
}
