// A plugin library for the loader's tests. The build makes several from this one source:
//   PLUGIN_TEXT           the plugin's name, and the start of every text it gives
//   PLUGIN_NAME_EXPORT    the symbol that gives the name, getName or _getName; none without it
//   PLUGIN_GETOBJ_C       getObj exported as extern "C" instead of as a C++ function
//   PLUGIN_NO_GETOBJ      no getObj at all
// The operations that print on their own write a line to the standard output stream.
#include <cstdio>

#include "plugin_base.h"

namespace {

class TestPlugin : public Base {
  public:
    TestPlugin() { name = PLUGIN_TEXT; }
    void print() override { std::printf("%s prints\n", PLUGIN_TEXT); }
    const char *Print() override { return PLUGIN_TEXT " says hello"; }
    void help() override { std::printf("%s helps\n", PLUGIN_TEXT); }
    const char *Help() override { return PLUGIN_TEXT " help text"; }
    void about() override { std::printf("%s is a test plugin\n", PLUGIN_TEXT); }
    const char *About() override { return PLUGIN_TEXT " about text"; }
};

} // namespace

#if defined(PLUGIN_NAME_EXPORT)
extern "C" KAVLO_PLUGIN_EXPORT const char *PLUGIN_NAME_EXPORT() { return PLUGIN_TEXT; }
#endif

#if !defined(PLUGIN_NO_GETOBJ)
#if defined(PLUGIN_GETOBJ_C)
extern "C"
#endif
    KAVLO_PLUGIN_EXPORT std::unique_ptr<Base>
    getObj() {
    return std::make_unique<TestPlugin>();
}
#endif
