// Browser command lines: the arguments of each browser from a window's settings, and the quoting
// that keeps every text one whole argument.
#include <gtest/gtest.h>

#include "portable/browser_command.h"

using namespace webwin;

namespace {

const std::vector<std::string> kDefaults = {
    "--no-first-run",          "--safe-mode",
    "--disable-extensions",    "--disable-background-mode",
    "--disable-plugins",       "--disable-plugins-discovery",
    "--disable-translate",     "--disable-features=Translate",
    "--bwsi",                  "--disable-sync",
    "--disable-sync-preferences", "--disable-component-update",
    "--allow-insecure-localhost", "--auto-accept-camera-and-microphone-capture",
};

std::vector<std::string> join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto &part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

}  // namespace

TEST(BrowserCommand, ChromiumArguments) {
    const std::string address = "http://localhost:20000";
    BrowserSettings everything;
    everything.profile_path = "C:\\Users\\Ann\\.Webwin\\WebwinEdgeProfile";
    everything.kiosk = everything.disable_high_contrast = everything.hide = true;
    everything.size_set = everything.position_set = true;
    everything.width = 1024;
    everything.height = 768;
    everything.x = 10;
    everything.y = 20;
    everything.proxy = "127.0.0.1:3128";
    BrowserSettings custom;
    custom.custom_parameters = "--incognito  --lang=fr";
    BrowserSettings custom_and_proxy = custom;
    custom_and_proxy.proxy = "p:1";
    BrowserSettings unset_size;
    unset_size.width = 1024;  // stored, but not set: no size argument

    const struct {
        const char *what;
        BrowserSettings settings;
        std::vector<std::string> expected;
    } cases[] = {
        {"nothing set", {}, join({kDefaults, {"--no-proxy-server", "--app=" + address}})},
        {"every setting",
         everything,
         join({{"--user-data-dir=C:\\Users\\Ann\\.Webwin\\WebwinEdgeProfile"},
               kDefaults,
               {"--chrome-frame", "--kiosk", "--disable-features=ForcedColors", "--headless", "--headless=new",
                "--window-size=1024,768", "--window-position=10,20", "--proxy-server=127.0.0.1:3128",
                "--app=" + address}})},
        // the program's parameters replace the defaults and the no-proxy flag
        {"custom parameters", custom, {"--incognito", "--lang=fr", "--app=" + address}},
        {"custom parameters and a proxy", custom_and_proxy,
         {"--proxy-server=p:1", "--incognito", "--lang=fr", "--app=" + address}},
        {"size not set", unset_size, join({kDefaults, {"--no-proxy-server", "--app=" + address}})},
    };
    for (const auto &c : cases) {
        for (const size_t id : {BROWSER_CHROME, BROWSER_EDGE, BROWSER_CHROMIUM, BROWSER_BRAVE, BROWSER_VIVALDI,
                                BROWSER_EPIC, BROWSER_YANDEX}) {
            EXPECT_EQ(browserArguments(id, c.settings, address), c.expected) << c.what << ", browser " << id;
        }
    }
}

TEST(BrowserCommand, FirefoxArguments) {
    const std::string address = "http://localhost:20000/a%20b.html";
    BrowserSettings everything;
    everything.profile_path = "C:\\p";  // Firefox finds its folder through the name
    everything.profile_name = "Webwin-NoHC";
    everything.kiosk = everything.hide = everything.disable_high_contrast = true;
    everything.size_set = everything.position_set = true;
    everything.width = 640;
    everything.height = 480;
    everything.proxy = "p:1";  // no proxy, position or high-contrast argument for Firefox
    BrowserSettings custom;
    custom.custom_parameters = "-private-window";

    EXPECT_EQ(browserArguments(BROWSER_FIREFOX, {}, address),
              (std::vector<std::string>{"-purgecaches", "-new-window", address}));
    EXPECT_EQ(browserArguments(BROWSER_FIREFOX, everything, address),
              (std::vector<std::string>{"-P", "Webwin-NoHC", "-purgecaches", "-kiosk", "-headless", "-width", "640",
                                        "-height", "480", "-new-window", address}));
    EXPECT_EQ(browserArguments(BROWSER_FIREFOX, custom, address),
              (std::vector<std::string>{"-private-window", "-new-window", address}));
}

TEST(BrowserCommand, IdsWithoutABrowser) {
    for (const size_t id : {0, 1, 5, 7, 12, 13, 14, 99}) {
        EXPECT_TRUE(browserArguments(id, {}, "http://localhost:1").empty()) << id;
        EXPECT_EQ(browserInfo(id), nullptr) << id;
    }
    EXPECT_STREQ(browserInfo(BROWSER_YANDEX)->executable, "browser.exe");
    EXPECT_STREQ(browserInfo(BROWSER_CHROMIUM)->executable, "chrome.exe");
}

TEST(BrowserCommand, QuotingFollowsTheWindowsRules) {
    const struct {
        const char *argument, *quoted;
    } cases[] = {
        {"plain", "plain"},
        {"", "\"\""},
        {"a b", "\"a b\""},
        {"tab\there", "\"tab\there\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"C:\\dir\\", "C:\\dir\\"},               // backslashes alone stay as they are
        {"C:\\my dir\\", "\"C:\\my dir\\\\\""},   // but are doubled before the closing quote
        {"a\\\"b", "\"a\\\\\\\"b\""},             // and before an escaped quote
        {"&|<>^%", "&|<>^%"},                     // no command interpreter reads the line
    };
    for (const auto &c : cases) {
        EXPECT_EQ(quoteArgument(c.argument), c.quoted) << c.argument;
        EXPECT_EQ(splitArguments(quoteArgument(c.argument)), std::vector<std::string>{c.argument}) << c.argument;
    }
}

TEST(BrowserCommand, SplittingTheProgramsParameters) {
    const struct {
        const char *text;
        std::vector<std::string> arguments;
    } cases[] = {
        {"", {}},
        {"   \t ", {}},
        {"--a --b=1", {"--a", "--b=1"}},
        {"--dir=\"C:\\my dir\" x", {"--dir=C:\\my dir", "x"}},
        {"\"a\"\"b\"", {"a\"b"}},
        {"a\\\\\"b c\"", {"a\\b c"}},
        {"a\\\"b", {"a\"b"}},
        {"\"unclosed quote", {"unclosed quote"}},
        {"trailing\\\\", {"trailing\\\\"}},
    };
    for (const auto &c : cases) EXPECT_EQ(splitArguments(c.text), c.arguments) << c.text;
}

// Every text that reaches a browser's command line comes back as the argument it was meant to
// be, whatever it holds: quotes, backslashes, blanks, the command interpreter's characters.
TEST(BrowserCommand, InjectionProbes) {
    const std::string probes[] = {
        "\" --evil", "a\" \"b", "x\\\" --y", "C:\\Users\\A B\\\\", "& calc.exe", "|| del *", "%PATH%", "^\"",
        "\\\\\\\"", "line\nbreak", "\"", "\\", "--kiosk", "",
    };
    for (const std::string &probe : probes) {
        BrowserSettings settings;
        settings.profile_path = "C:\\p " + probe;
        settings.profile_name = "n" + probe;
        settings.proxy = "proxy" + probe;
        const std::string address = "http://localhost:1/" + probe;
        for (const size_t id : {BROWSER_CHROME, BROWSER_FIREFOX}) {
            const std::vector<std::string> arguments = browserArguments(id, settings, address);
            const auto line = commandLine("C:\\Program Files\\B\\b.exe", arguments);
            ASSERT_TRUE(line.has_value()) << probe;
            const std::string program = "\"C:\\Program Files\\B\\b.exe\" ";
            ASSERT_EQ(line->rfind(program, 0), 0u) << *line;
            EXPECT_EQ(splitArguments(line->substr(program.size())), arguments) << *line;
        }
        // the program's own parameters are split once, then kept as those arguments
        settings.custom_parameters = "--one " + quoteArgument(probe);
        const std::vector<std::string> arguments = browserArguments(BROWSER_EDGE, settings, address);
        EXPECT_EQ(arguments[arguments.size() - 3], "--one") << probe;
        EXPECT_EQ(arguments[arguments.size() - 2], probe) << probe;
        EXPECT_EQ(arguments.back(), "--app=" + address) << probe;
    }
}

TEST(BrowserCommand, CommandLinesThatCannotBeBuiltAreRefused) {
    EXPECT_EQ(commandLine("C:\\b.exe", {"--a", "b c"}), "\"C:\\b.exe\" --a \"b c\"");
    EXPECT_EQ(commandLine("", {"--a"}), std::nullopt);
    EXPECT_EQ(commandLine("C:\\\"b.exe", {}), std::nullopt);
    EXPECT_EQ(commandLine("C:\\b.exe", {std::string("a\0b", 3)}), std::nullopt);
    // the longest line Windows takes, and one character more
    const std::string program = "C:\\b.exe";
    const size_t room = kMaxCommandLine - (program.size() + 2) - 1;
    EXPECT_TRUE(commandLine(program, {std::string(room, 'x')}).has_value());
    EXPECT_EQ(commandLine(program, {std::string(room + 1, 'x')}), std::nullopt);
    EXPECT_EQ(commandLine(program, {std::string(room / 2, 'x'), std::string(room / 2 + 1, 'x')}), std::nullopt);
}
