// The typed variables of the interpreter and the records of its symbol table.
//
// A `SymbolEntry` describes one user variable (type, name, value text) and owns the typed
// object that holds the value in the slot of its type code. The value text is what
// substitution puts in place of the name in later expressions.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <unordered_map>

// Type codes index the global `type_names`. Variables are made only of the codes int,
// double, string and matrix; float and bool are names without variables.
constexpr int kIntType = 0;
constexpr int kFloatType = 1;
constexpr int kDoubleType = 2;
constexpr int kStringType = 3;
constexpr int kBoolType = 4;
constexpr int kMatrixType = 5;
constexpr int kTypeCount = 6;

// The part of a variable that does not depend on its value type; an entry deletes the
// object in any slot through it.
class VariableBase {
  public:
    VariableBase() = default;
    virtual ~VariableBase() = default;
    VariableBase(const VariableBase &) = delete;
    VariableBase &operator=(const VariableBase &) = delete;

    const std::string &getType() const { return type; }
    void setType(const std::string &t) { type = t; }
    const std::string &getName() const { return name; }
    void setName(const std::string &n) { name = n; }
    const std::string &getText() const { return text; }
    void setText(const std::string &t) { text = t; }

  private:
    std::string type = "int";
    std::string name = "default";
    std::string text; // free text; for a matrix its determinant
};

// A variable holding one value of type T and a second value of the same type, which the
// matrix commands fill with the matrix they computed.
template <typename T> class Variable : public VariableBase {
  public:
    const T &getValue() const { return value; }
    void setValue(const T &v) { value = v; }
    void setSecond(const T &v) { second = v; }

  private:
    T value{};
    T second{};
};

struct SymbolEntry {
    std::string typeName;
    std::string name;
    std::string valueText;
    std::string text;
    int typeCode = kIntType;
    std::array<std::unique_ptr<VariableBase>, kTypeCount> slots;

    // The variable in the slot of `code` as a Variable<T>, or null when that slot is empty
    // or holds another type.
    template <typename T> Variable<T> *slotAs(int code) const {
        if (code < 0 || code >= kTypeCount) return nullptr;
        return dynamic_cast<Variable<T> *>(slots[size_t(code)].get());
    }
};

using VariableTable = std::unordered_map<std::string, SymbolEntry>;
