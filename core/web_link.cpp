#include "web_link.h"

#include <cctype>

namespace sublumo {

namespace {

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    return true;
}

}  // namespace

bool isOpenableWebLink(std::string_view link) {
    while (!link.empty() && link.front() == ' ') link.remove_prefix(1);
    while (!link.empty() && link.back() == ' ') link.remove_suffix(1);
    for (char c : link)
        if (static_cast<unsigned char>(c) < 0x20 || c == ' ')
            return false;
    for (std::string_view scheme : {std::string_view("http://"), std::string_view("https://")}) {
        if (!startsWithNoCase(link, scheme))
            continue;
        const std::string_view rest = link.substr(scheme.size());
        return !rest.empty() && rest.front() != '/';  // a host must follow
    }
    return false;
}

}  // namespace sublumo
