// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The LandXML reader's way through the tree: elements by their local name,
// whatever namespace prefix another program gave them.

#include <algorithm>
#include <pugixml.hpp>
#include <string_view>
#include <vector>

namespace survey_file::landxml {

inline std::string_view localName(const pugi::xml_node& node) {
    std::string_view name = node.name();
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

inline bool named(const pugi::xml_node& node, std::string_view name) {
    return node.type() == pugi::node_element && localName(node) == name;
}

inline std::vector<pugi::xml_node> children(const pugi::xml_node& node, std::string_view name) {
    std::vector<pugi::xml_node> out;
    for (pugi::xml_node child : node.children())
        if (named(child, name)) out.push_back(child);
    return out;
}

inline pugi::xml_node child(const pugi::xml_node& node, std::string_view name) {
    for (pugi::xml_node each : node.children())
        if (named(each, name)) return each;
    return {};
}

// Blanks around the value allowed, as XML Schema's boolean has them.
inline bool isTrue(const pugi::xml_attribute& attribute) {
    std::string_view value = attribute.value();
    value.remove_prefix(std::min(value.size(), value.find_first_not_of(" \t\r\n")));
    value = value.substr(0, value.find_last_not_of(" \t\r\n") + 1);
    return value == "true" || value == "1";
}

}  // namespace survey_file::landxml
