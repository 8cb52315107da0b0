// The plugin loader with the test plugins of tests/plugins: the folders "plugins" and
// "myplugins" of a temporary working folder, loading, listing, calling and freeing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "calculator_test_support.h"
#include "plugins/plugin_loader.h"

namespace {

namespace fs = std::filesystem;

// Runs each test in a folder of its own, with no plugin loaded.
class PluginLoader : public ::testing::Test {
  protected:
    void SetUp() override {
        forgetPlugins();
        previous = fs::current_path();
        folder = fs::temp_directory_path() /
                 ("kavlo_plugins_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        fs::current_path(folder);
    }
    void TearDown() override {
        forgetPlugins();
        fs::current_path(previous);
        fs::remove_all(folder);
    }
    static void forgetPlugins() {
        user_plugin_objects.clear(); // before their libraries
        user_plugin_modules.clear();
        plugin_modules.clear();
    }
    // Copies the test plugin `name` into `target` ("plugins" or "myplugins"), under its own
    // file name or another.
    static void install(const std::string &name, const std::string &target, std::string file = "") {
        fs::create_directories(target);
        if (file.empty()) file = name;
        file += kPluginExtension;
        fs::copy_file(fs::path(KAVLO_TEST_PLUGINS) / (name + kPluginExtension),
                      fs::path(target) / fs::path(std::u8string(file.begin(), file.end())));
    }
    static std::unique_ptr<Calculator> startCalculator() {
        std::unique_ptr<Calculator> calculator;
        captured([&] { calculator = std::make_unique<Calculator>(); });
        return calculator;
    }
    // Runs `body`, giving what it wrote to the standard output and error streams.
    static std::pair<std::string, std::string> captured(const std::function<void()> &body) {
        ::testing::internal::CaptureStderr();
        std::string out = captureStdout(body);
        std::clog.flush();
        return {out, ::testing::internal::GetCapturedStderr()};
    }
    static std::vector<std::string> loadedNames() {
        std::vector<std::string> names;
        for (const DynamicLibrary &module : plugin_modules) names.push_back(pluginName(module));
        return names;
    }
    fs::path previous, folder;
};

const std::string loadedFine = "All modules have been loaded. Fine!\n";

TEST_F(PluginLoader, MissingOrEmptyFolderIsSilent) {
    for (bool makeFolder : {false, true}) {
        if (makeFolder) fs::create_directories("plugins");
        int result = -1;
        auto [out, err] = captured([&] { result = loadPlugins(); });
        EXPECT_EQ(result, 0);
        EXPECT_EQ(out, "");
        EXPECT_EQ(err, "");
        EXPECT_TRUE(plugin_modules.empty());
    }
    // Files of other kinds are passed over.
    std::ofstream("plugins/readme.txt") << "not a plugin";
    auto [out, err] = captured([] { EXPECT_EQ(loadPlugins(), 0); });
    EXPECT_EQ(out + err, "");
}

TEST_F(PluginLoader, LoadsTheFolderInNameOrder) {
    install("cstyle", "plugins");
    install("calc", "plugins");
    int result = -1;
    auto [out, err] = captured([&] { result = loadPlugins(); });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(out, loadedFine);
    EXPECT_EQ(err, "calc loaded!\ncstyle loaded!\n\n");
    // getObj as a C++ function with getName, and as extern "C" with _getName.
    EXPECT_EQ(loadedNames(), (std::vector<std::string>{"calc", "cstyle"}));
    for (const DynamicLibrary &module : plugin_modules) {
        std::unique_ptr<Base> object = newPluginObject(module);
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->name, pluginName(module));
    }
    // A second load of the folder starts afresh.
    captured([] { loadPlugins(); });
    EXPECT_EQ(loadedNames(), (std::vector<std::string>{"calc", "cstyle"}));
}

TEST_F(PluginLoader, FaultyLibrariesStopTheWalk) {
    struct Row {
        std::string faulty;
        std::string error;
    };
    const Row rows[] = {
        {"nogetobj", "Invalid Plugin DLL: 'getObj' must be defined."},
        {"noname", "Invalid Plugin DLL: 'getName' must be defined."},
    };
    for (const Row &row : rows) {
        // calc loads before the faulty one and stays; the one after it is never reached.
        forgetPlugins(); // a loaded library cannot be removed on Windows
        fs::remove_all("plugins");
        install("calc", "plugins");
        install(row.faulty, "plugins");
        install("cstyle", "plugins", "zzz");
        int result = -1;
        auto [out, err] = captured([&] { result = loadPlugins(); });
        EXPECT_EQ(result, 1);
        EXPECT_EQ(out, "");
        EXPECT_EQ(err, "calc loaded!\nException caught: " + row.error + "\n");
        EXPECT_EQ(loadedNames(), std::vector<std::string>{"calc"});
    }
}

TEST_F(PluginLoader, ALibraryThatDoesNotLoadReleasesTheOthers) {
    install("calc", "plugins");
    const std::string bad = std::string("zbad") + kPluginExtension;
    std::ofstream("plugins/" + bad) << "not a library";
    int result = -1;
    auto [out, err] = captured([&] { result = loadPlugins(); });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(err, "calc loaded!\nException caught: Plugin " + bad + " failed to load!\n");
    EXPECT_TRUE(plugin_modules.empty());
}

TEST_F(PluginLoader, StartUpLoadsThePluginFolder) {
    install("calc", "plugins");
    auto [out, err] = captured([] { Calculator calculator; });
    EXPECT_EQ(out, loadedFine);
    EXPECT_EQ(loadedNames(), std::vector<std::string>{"calc"});
}

TEST_F(PluginLoader, CallsListingAndFree) {
    install("calc", "plugins");
    install("cstyle", "myplugins");
    std::unique_ptr<Calculator> started = startCalculator();
    Calculator &calculator = *started;
    auto [loadOut, loadErr] = captured([] { EXPECT_EQ(loadUserPlugin("cstyle"), 0); });
    EXPECT_EQ(loadErr, "cstyle loaded!\n");
    ASSERT_EQ(user_plugin_objects.size(), 1u);
    EXPECT_EQ(user_plugin_objects[0]->name, "cstyle");

    struct CallRow {
        std::string module, command;
        std::string output; // into the Calculator's output
        std::string printed; // on the standard output stream
    };
    const CallRow calls[] = {
        {"calc", "Print", "\nrs> calc says hello", ""},
        {"calc", "Help", "\nrs> calc help text", ""},
        {"calc", "About", "\nrs> calc about text", ""},
        {"calc", "print", "", "calc prints\n"},
        {"calc", "help", "", "calc helps\n"},
        {"calc", "about", "", "calc is a test plugin\n"},
        {"calc", "PRINT", "", ""},
        // A user plugin answers only print and help, after naming itself.
        {"cstyle", "print", "[my plugin] cstyle\n", "cstyle prints\n"},
        {"cstyle", "Print", "[my plugin] cstyle\n", ""},
        {"nothing", "Print", "", ""},
    };
    for (const CallRow &call : calls) {
        calculator.clearAnswerStreams();
        std::string printed = captureStdout([&] { callPluginModules(calculator, call.module, call.command); });
        EXPECT_EQ(calculator.output.str(), call.output) << call.module << "->" << call.command;
        EXPECT_EQ(printed, call.printed) << call.module << "->" << call.command;
    }

    const std::string userList = "\n----------------\n[myplugins] user plugins:\ncstyle\n---Total: 1 ---\n\n";
    auto [listed, none] = captured([] { EXPECT_EQ(listPlugins(), 0); });
    EXPECT_EQ(listed, "[plugins] Auto-loaded plugins:\ncalc\n---Total: 1 ---\n\n" + userList);

    // Freeing a name that is not loaded changes nothing; freeing calc empties its slot.
    EXPECT_EQ(unloadPlugin("cstyle"), 0);
    EXPECT_EQ(unloadPlugin("nothing"), 0);
    EXPECT_EQ(loadedNames(), std::vector<std::string>{"calc"});
    EXPECT_EQ(unloadPlugin("calc"), 0);
    ASSERT_EQ(plugin_modules.size(), 1u);
    EXPECT_FALSE(plugin_modules[0].isOpen());
    std::tie(listed, none) = captured([] { listPlugins(); });
    EXPECT_EQ(listed, "[plugins] Auto-loaded plugins:\n---Total: 0 ---\n\n" + userList);
    calculator.clearAnswerStreams();
    callPluginModules(calculator, "calc", "Print");
    EXPECT_EQ(calculator.output.str(), "");
}

TEST_F(PluginLoader, FileNamesBeyondAscii) {
    install("calc", "plugins", "数学");
    install("cstyle", "myplugins", "插件");
    auto [out, err] = captured([] {
        EXPECT_EQ(loadPlugins(), 0);
        EXPECT_EQ(loadUserPlugin("插件"), 0);
    });
    EXPECT_EQ(loadedNames(), std::vector<std::string>{"calc"});
    ASSERT_EQ(user_plugin_modules.size(), 1u);
    EXPECT_EQ(pluginName(user_plugin_modules[0]), "cstyle");
}

TEST_F(PluginLoader, UserPluginsComeOnlyFromTheirFolder) {
    install("calc", "plugins");
    install("nogetobj", "myplugins");
    const std::string ext = kPluginExtension;
    auto missing = [&](const std::string &name) {
        return "Plugin " + name + " wasn't loaded successfully!\nPlease check that whether the file " + name + ext +
               " exists in the directory [myplugins].\n";
    };
    // The name is the name of a file in "myplugins", never a path or a pattern.
    for (const std::string name : {"nothere", "../plugins/calc", "*", ""}) {
        int result = -1;
        auto [out, err] = captured([&] { result = loadUserPlugin(name); });
        EXPECT_EQ(result, 1) << name;
        EXPECT_EQ(out, missing(name)) << name;
        EXPECT_EQ(err, "") << name;
    }
    int result = -1;
    auto [out, err] = captured([&] { result = loadUserPlugin("nogetobj"); });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(err, "Exception caught: Invalid Plugin DLL: 'getObj' must be defined.\n");
    EXPECT_TRUE(user_plugin_modules.empty());
    EXPECT_TRUE(user_plugin_objects.empty());
}

} // namespace

namespace {

TEST_F(PluginLoader, ThroughTheInterpreter) {
    install("calc", "plugins");
    install("cstyle", "myplugins");
    std::unique_ptr<Calculator> started = startCalculator();
    Calculator &calculator = *started;
    calculator.setOperatorChars();
    // The name of a plugin of the folder is registered as a function of one parameter.
    EXPECT_TRUE(calculator.functions.functionExists("calc"));
    EXPECT_NE(std::find(calculator.functionNames.begin(), calculator.functionNames.end(), "calc"),
              calculator.functionNames.end());
    EXPECT_NE(std::find(calculator.functionSignatures.begin(), calculator.functionSignatures.end(), "calc(parameter)"),
              calculator.functionSignatures.end());
    captured([] { loadUserPlugin("cstyle"); });
    std::string printed = expectTranscript(calculator, {
                                                           {"calc->Print()", "\nrs> calc says hello\n>> "},
                                                           {"calc->About(7)", "\nrs> calc about text\n>> "},
                                                           {"calc->print()", "\n>> "},
                                                           {"cstyle->print()", "[my plugin] cstyle\n\n>> "},
                                                           {"nothing->Print()", "\n>> "},
                                                           // A call of the name itself reaches no plugin.
                                                           {"calc(1)", "Default...\n"},
                                                       });
    // The operations that print on their own (the line entry copies each answer there too).
    EXPECT_NE(printed.find("calc prints\n"), std::string::npos);
    EXPECT_NE(printed.find("cstyle prints\n"), std::string::npos);
    unloadPlugin("calc");
    expectTranscript(calculator, {{"calc->Print()", "\n>> "}});
}

// The commands load_plugin, list_plugins and free_plugin: the loader's messages are part of
// the answer, a failure answers 1, and a name must be an identifier before any file is sought.
TEST_F(PluginLoader, Commands) {
    install("calc", "plugins");
    install("cstyle", "myplugins");
    install("nogetobj", "myplugins");
    fs::create_directories("myplugins");
    std::ofstream("myplugins/broken" + std::string(kPluginExtension)) << "no library";
    std::unique_ptr<Calculator> started = startCalculator();
    Calculator &calculator = *started;
    calculator.setOperatorChars();
    const std::string closing = "\n\n" + texts::rule + "\n\n" + texts::prompt;
    auto answer = [&](const std::string &value) { return "out> " + value + closing; };
    auto listing = [&](const std::string &automatic, const std::string &user) {
        return "[plugins] Auto-loaded plugins:\n" + automatic + "\n----------------\n[myplugins] user plugins:\n" +
               user + answer("0");
    };
    const std::string ext = kPluginExtension;
    expectTranscript(
            calculator,
            {
                {"load_plugin(cstyle)", "cstyle loaded!\n" + answer("0")},
                {"cstyle->print()", "[my plugin] cstyle\n\n>> "},
                {"load_plugin(missing)", "Plugin missing wasn't loaded successfully!\nPlease check that whether the file "
                                         "missing" + ext + " exists in the directory [myplugins].\n" + answer("1")},
                {"load_plugin(nogetobj)",
                 "Exception caught: Invalid Plugin DLL: 'getObj' must be defined.\n" + answer("1")},
                {"load_plugin(broken)",
                 "Exception caught: Plugin broken" + ext + " wasn't loaded successfully!\n" + answer("1")},
                {"load_plugin(*)", "hint> * is invalid function name." + closing},
                {"load_plugin(../myplugins/cstyle)", "hint> ../myplugins/cstyle is invalid function name." + closing},
                {"load_plugin()", "hint> the input is wrong." + closing},
                {"list_plugins()", listing("calc\n---Total: 1 ---\n\n", "cstyle\n---Total: 1 ---\n\n")},
                {"free_plugin(cstyle)", answer("0")},
                {"free_plugin(calc)", answer("0")},
                {"list_plugins()", listing("---Total: 0 ---\n\n", "cstyle\n---Total: 1 ---\n\n")},
            });
    EXPECT_EQ(user_plugin_modules.size(), 1u);
}

} // namespace
