// Browser profiles: the library's folders, which folders may be removed, and Firefox's texts.
#include <gtest/gtest.h>

#include "portable/browser_profiles.h"
#include "webwin.h"

using namespace webwin;

TEST(BrowserProfiles, LibraryFolders) {
    const std::string user = "C:\\Users\\Ann";
    const struct {
        size_t browser;
        bool no_high_contrast;
        const char *folder;
    } cases[] = {
        {BROWSER_CHROME, false, "C:\\Users\\Ann\\.Webwin\\WebwinChromeProfile"},
        {BROWSER_CHROME, true, "C:\\Users\\Ann\\.Webwin\\WebwinChromeProfile"},
        {BROWSER_EDGE, false, "C:\\Users\\Ann\\.Webwin\\WebwinEdgeProfile"},
        {BROWSER_CHROMIUM, false, "C:\\Users\\Ann\\.Webwin\\WebwinChromiumProfile"},
        {BROWSER_BRAVE, false, "C:\\Users\\Ann\\.Webwin\\WebwinBraveProfile"},
        {BROWSER_VIVALDI, false, "C:\\Users\\Ann\\.Webwin\\WebwinVivaldiProfile"},
        {BROWSER_EPIC, false, "C:\\Users\\Ann\\.Webwin\\WebwinEpicProfile"},
        {BROWSER_YANDEX, false, "C:\\Users\\Ann\\.Webwin\\WebwinYandexProfile"},
        {BROWSER_FIREFOX, false, "C:\\Users\\Ann\\.Webwin\\WebwinFirefoxProfile"},
        {BROWSER_FIREFOX, true, "C:\\Users\\Ann\\.Webwin\\WebwinFirefoxProfile-NoHC"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(libraryProfileFolder(user, c.browser, c.no_high_contrast), c.folder) << c.browser;
    }
    EXPECT_EQ(libraryProfileFolder("C:\\Users\\Ann\\", BROWSER_EDGE, false),
              "C:\\Users\\Ann\\.Webwin\\WebwinEdgeProfile");
    EXPECT_EQ(libraryProfileName(false), "Webwin");
    EXPECT_EQ(libraryProfileName(true), "Webwin-NoHC");
    // no user profile folder, or none that is absolute: no profile at the root of some drive
    for (const char *bad : {"", "Users\\Ann", "\\Users\\Ann", "C:", "C:Ann"}) {
        EXPECT_EQ(libraryProfileFolder(bad, BROWSER_CHROME, false), std::nullopt) << bad;
    }
    EXPECT_EQ(libraryProfileFolder(user, BROWSER_WEBVIEW, false), std::nullopt);
}

TEST(BrowserProfiles, OnlyFoldersInsideTheLibrarysFolderAreRemoved) {
    const std::string user = "C:\\Users\\Ann";
    const struct {
        const char *path;
        bool removable;
    } cases[] = {
        {"C:\\Users\\Ann\\.Webwin\\WebwinChromeProfile", true},
        {"c:/users/ann/.webwin/WebwinChromeProfile/", true},
        {"C:\\Users\\Ann\\.Webwin\\x\\y", true},
        {"C:\\Users\\Ann\\.Webwin", false},  // the library's folder itself
        {"C:\\Users\\Ann\\.Webwin\\", false},
        {"C:\\Users\\Ann", false},
        {"C:\\", false},
        {"C:", false},
        {"", false},
        {"\\", false},
        {".Webwin\\WebwinChromeProfile", false},
        {"C:\\Users\\Ann\\.Webwin\\..\\Documents", false},
        {"C:\\Users\\Ann\\.Webwin\\.\\x", false},
        {"C:\\Users\\Ann\\.Webwin\\...", false},
        {"C:\\Users\\Ann\\.Webwin\\x.", false},  // Windows would drop the dot
        {"C:\\Users\\Ann\\.Webwin\\x \\..", false},
        {"C:\\Users\\Ann\\.Webwin\\\\x", false},
        {"C:\\Users\\Ann\\.Webwin\\x:stream", false},
        {"C:\\Users\\Ann\\.Webwin\\x\ny", false},
        {"C:\\Users\\Ann\\.WebwinX\\y", false},
        {"D:\\Users\\Ann\\.Webwin\\y", false},
        {"\\\\?\\C:\\Users\\Ann\\.Webwin\\y", false},
    };
    for (const auto &c : cases) EXPECT_EQ(insideLibraryFolder(user, c.path), c.removable) << c.path;
    // an empty or relative user profile folder makes nothing removable
    EXPECT_FALSE(insideLibraryFolder("", "\\.Webwin\\WebwinChromeProfile"));
    EXPECT_FALSE(insideLibraryFolder("Ann", "Ann\\.Webwin\\WebwinChromeProfile"));
    EXPECT_TRUE(insideLibraryFolder("\\\\server\\home\\ann", "\\\\server\\home\\ann\\.Webwin\\p"));
    EXPECT_FALSE(insideLibraryFolder("\\\\server\\home\\ann", "\\\\other\\home\\ann\\.Webwin\\p"));
}

namespace {

const char *const kIni =
    "[General]\r\n"
    "StartWithLastProfile=1\r\n"
    "\r\n"
    "[Profile0]\r\n"
    "Name=default\r\n"
    "IsRelative=1\r\n"
    "Path=Profiles/abc.default\r\n"
    "\r\n"
    "[Profile1]\r\n"
    "Name=Webwin-NoHC\r\n"
    "IsRelative=0\r\n"
    "Path=C:\\Users\\Ann\\.Webwin\\WebwinFirefoxProfile-NoHC\r\n"
    "\r\n"
    "[Profile2]\r\n"
    "Name=Webwin\r\n"
    "IsRelative=0\r\n"
    "Path=C:\\Users\\Ann\\.Webwin\\WebwinFirefoxProfile\r\n"
    "\r\n"
    "[Profile3]\r\n"
    "Name=work\r\n"
    "IsRelative=1\r\n"
    "Path=Profiles/work\r\n"
    "[Install4F96D1932A9F858E]\r\n"
    "Default=Profiles/abc.default\r\n";

}  // namespace

TEST(BrowserProfiles, FirefoxProfilesIni) {
    // a whole line: "Webwin" is not listed by the line of "Webwin-NoHC"
    EXPECT_TRUE(firefoxProfileListed(kIni, "Webwin"));
    EXPECT_TRUE(firefoxProfileListed(kIni, "Webwin-NoHC"));
    EXPECT_TRUE(firefoxProfileListed("[Profile0]\nName=Webwin", "Webwin"));
    EXPECT_FALSE(firefoxProfileListed("[Profile0]\nName=Webwin-NoHC\n", "Webwin"));
    EXPECT_FALSE(firefoxProfileListed("", "Webwin"));

    // the section goes with its header, and the sections after it are renumbered
    const std::string unlisted = firefoxUnlistProfile(kIni, "Webwin-NoHC");
    EXPECT_EQ(unlisted,
              "[General]\r\n"
              "StartWithLastProfile=1\r\n"
              "\r\n"
              "[Profile0]\r\n"
              "Name=default\r\n"
              "IsRelative=1\r\n"
              "Path=Profiles/abc.default\r\n"
              "\r\n"
              "[Profile1]\r\n"
              "Name=Webwin\r\n"
              "IsRelative=0\r\n"
              "Path=C:\\Users\\Ann\\.Webwin\\WebwinFirefoxProfile\r\n"
              "\r\n"
              "[Profile2]\r\n"
              "Name=work\r\n"
              "IsRelative=1\r\n"
              "Path=Profiles/work\r\n"
              "[Install4F96D1932A9F858E]\r\n"
              "Default=Profiles/abc.default\r\n");
    EXPECT_FALSE(firefoxProfileListed(unlisted, "Webwin-NoHC"));
    EXPECT_TRUE(firefoxProfileListed(unlisted, "Webwin"));
    // "Webwin" leaves "Webwin-NoHC" alone
    const std::string other = firefoxUnlistProfile(kIni, "Webwin");
    EXPECT_TRUE(firefoxProfileListed(other, "Webwin-NoHC"));
    EXPECT_FALSE(firefoxProfileListed(other, "Webwin"));
    // nothing to remove: the text stays as it was, long or not
    EXPECT_EQ(firefoxUnlistProfile(kIni, "absent"), kIni);
    std::string long_ini = "[General]\n";
    for (int i = 0; i < 400; ++i) {
        long_ini += "[Profile" + std::to_string(i) + "]\nName=p" + std::to_string(i) + "\nPath=Profiles/p\n";
    }
    const std::string shorter = firefoxUnlistProfile(long_ini, "p0");
    EXPECT_GT(shorter.size(), 4095u);
    EXPECT_TRUE(firefoxProfileListed(shorter, "p399"));
    EXPECT_NE(shorter.find("[Profile398]\nName=p399\n"), std::string::npos);
    EXPECT_EQ(shorter.find("[Profile399]"), std::string::npos);
}

TEST(BrowserProfiles, FirefoxPreferencesAndStyle) {
    const std::string base =
        "user_pref(\"toolkit.legacyUserProfileCustomizations.stylesheets\", true);"
        "user_pref(\"browser.shell.checkDefaultBrowser\", false);"
        "user_pref(\"browser.tabs.warnOnClose\", false);"
        "user_pref(\"browser.tabs.inTitlebar\", 0);";
    EXPECT_EQ(firefoxPreferences(false), base);
    EXPECT_EQ(firefoxPreferences(true), base + "user_pref(\"browser.display.document_color_use\", 1);");
    const std::string style = kFirefoxUserChrome;
    EXPECT_EQ(style.rfind("#navigator-toolbox,#TabsToolbar,#nav-bar,#PersonalToolbar,#sidebar-box{", 0), 0u);
    EXPECT_NE(style.find("#browser{margin-top:0!important;padding-top:0!important;}"), std::string::npos);
    EXPECT_EQ(style.find('\n'), std::string::npos);
}
