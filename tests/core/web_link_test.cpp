#include "web_link.h"

#include <gtest/gtest.h>

namespace sublumo {
namespace {

TEST(WebLink, OnlyHttpAndHttpsAddressesWithAHostOpen) {
    struct Row {
        const char* link;
        bool opens;
    } rows[] = {
        {"https://example.com/driver.pdf", true},
        {"http://example.com", true},
        {"HTTPS://Example.com", true},
        {"  https://example.com  ", true},
        {"https://", false},
        {"https:///etc/passwd", false},
        {"file:///etc/passwd", false},
        {"/usr/bin/xterm", false},
        {"javascript:alert(1)", false},
        {"ftp://example.com", false},
        {"smb://server/share", false},
        {"httpx://example.com", false},
        {"https://exa mple.com", false},
        {"https://example.com\n/x", false},
        {"", false},
    };
    for (const Row& row : rows) EXPECT_EQ(isOpenableWebLink(row.link), row.opens) << row.link;
}

}  // namespace
}  // namespace sublumo
