// The interface between the calculator and a plugin library. A plugin derives its own class
// from Base and exports two functions:
//   getObj   a new object of its class, as std::unique_ptr<Base> (no arguments);
//   getName  the plugin's name, a zero-terminated text (extern "C"; "_getName" also serves).
// The calculator calls the six operations for the statement 'name->operation()': the three in
// lower case print on their own, the three capitalised return a text that it shows.
// A library built with the calculator's compiler may export getObj as an ordinary C++ function
// or as extern "C"; both are found. The layout of Base (its two fields and its virtual
// operations in the order below) is shared by both sides: change nothing here.
#pragma once

#include <memory>
#include <string>
#include <vector>

#if defined(_WIN32)
#define KAVLO_PLUGIN_EXPORT __declspec(dllexport)
#else
#define KAVLO_PLUGIN_EXPORT __attribute__((visibility("default")))
#endif

class Base {
  public:
    virtual void print() = 0;
    virtual const char *Print() = 0;
    virtual void help() = 0;
    virtual const char *Help() = 0;
    virtual void about() = 0;
    virtual const char *About() = 0;
    virtual ~Base() = default;

    std::string name;
    std::vector<std::string> commands;
};
