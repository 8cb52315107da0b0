// Binds of windows that were never shown: their ids, the all-events entry, the getters and
// answers of events that do not exist, and the end of the bind ids.
#include <gtest/gtest.h>

#include <string>

#include "webwin.h"

namespace {

void handler(WebwinEvent *) {}
void other(WebwinEvent *) {}

}  // namespace

TEST(Bindings, IdsAreSharedByWindowsAndReusedByName) {
    const size_t first = webwin_new_window();
    const size_t second = webwin_new_window();
    ASSERT_NE(first, 0u);
    ASSERT_NE(second, 0u);
    const size_t echo = webwin_bind(first, "echo", handler);
    EXPECT_EQ(webwin_bind(first, "echo", other), echo);  // the same name: its id, a new handler
    EXPECT_NE(webwin_bind(second, "echo", handler), echo);
    const size_t all = webwin_bind(first, "", handler);
    EXPECT_EQ(webwin_bind(first, "", other), all);
    EXPECT_EQ(webwin_bind(first, nullptr, other), all);
    EXPECT_NE(webwin_bind(second, "", handler), all);
    EXPECT_EQ(webwin_bind(9999, "echo", handler), 0u);  // no such window
    int context = 0;
    webwin_set_context(first, "echo", &context);
    WebwinEvent event{first, EVENT_CALL, const_cast<char *>("echo"), 7, echo, 0, 0, nullptr};
    EXPECT_EQ(webwin_get_context(&event), &context);

    // an event without its slot: every getter gives nothing and an answer goes nowhere
    EXPECT_EQ(webwin_get_string(&event), nullptr);
    EXPECT_EQ(webwin_get_string_at(&event, 17), nullptr);
    EXPECT_EQ(webwin_get_int(&event), 0);
    EXPECT_EQ(webwin_get_float(&event), 0.0);
    EXPECT_FALSE(webwin_get_bool(&event));
    EXPECT_EQ(webwin_get_size(&event), 0u);
    EXPECT_EQ(webwin_get_count(&event), 0u);
    EXPECT_EQ(webwin_interface_get_string_at(first, 7, 0), nullptr);
    webwin_return_string(&event, "nobody hears it");
    webwin_return_int(&event, 1);
    webwin_interface_set_response(first, 7, "x");
    EXPECT_EQ(webwin_get_string(nullptr), nullptr);

    // no page: scripts fail at once with the buffer cleared, and nothing is sent
    char buffer[8] = "garbage";
    EXPECT_FALSE(webwin_script(first, "return 1", 1, buffer, sizeof buffer));
    EXPECT_EQ(std::string(buffer), "");
    webwin_run(first, "1");
    webwin_send_raw(first, "f", "abc", 3);
    webwin_navigate(first, "http://localhost/");
    webwin_destroy(first);
    webwin_destroy(second);
}

// Defined last: it spends the library's bind ids, which only webwin_clean gives back.
TEST(Bindings, TheBindIdsEnd) {
    size_t window = webwin_new_window();
    size_t last = 0;
    size_t refused = 0;
    // a few hundred binds a window keeps each name search short
    for (size_t i = 0; i < 70000 && refused == 0; ++i) {
        if (i % 500 == 0) window = webwin_new_window();
        const size_t id = webwin_bind(window, ("n" + std::to_string(i)).c_str(), handler);
        if (id == 0) {
            refused = i;
        } else {
            EXPECT_GT(id, last);
            last = id;
        }
    }
    EXPECT_EQ(last, 65534u);
    EXPECT_NE(refused, 0u);
    // a name that has its id keeps it
    EXPECT_EQ(webwin_bind(window, ("n" + std::to_string(refused - 1)).c_str(), other), 65534u);
    webwin_clean();
}
